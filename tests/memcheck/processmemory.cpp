#include "tests/memcheck/processmemory.h"

#include <QFile>
#include <malloc.h>

ProcessMemory ProcessMemory::now() {
    ProcessMemory memory;
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            // "VmHWM:	   81234 kB"
            const QList<QByteArray> fields = line.simplified().split(' ');
            if (fields.size() < 2)
                continue;
            if (fields[0] == "VmRSS:")
                memory.residentKb = fields[1].toLong();
            else if (fields[0] == "VmHWM:")
                memory.peakResidentKb = fields[1].toLong();
        }
    }
    const struct mallinfo2 info = mallinfo2();
    memory.heapInUse = info.uordblks + info.hblkhd;
    return memory;
}

QString ProcessMemory::toString() const {
    return QStringLiteral("VmRSS %1 kB, VmHWM %2 kB, heap in use %3 kB")
        .arg(residentKb)
        .arg(peakResidentKb)
        .arg(static_cast<qulonglong>(heapInUse / 1024));
}
