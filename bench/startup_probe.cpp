// Start-up probe for profiling: the exam window made and shown as the program does; at the
// window's first expose it prints the wall-clock time in nanoseconds and the peak resident
// memory, then quits, so that a profiler sees exactly what comes before the first frame.
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTimer>
#include <QWindow>
#include <cstdio>

#include "app/examwindow.h"
#include "toolkit/accessibility.h"
#include "toolkit/fonts.h"

namespace {

long peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

class ExposeWatcher : public QObject {
public:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Expose && !done_) {
            done_ = true;
            const qint64 ns = QDateTime::currentMSecsSinceEpoch() * 1000000;
            std::printf("exposed_ns %lld\n", static_cast<long long>(ns));
            // Let the first frame finish before reading the peak memory.
            QTimer::singleShot(0, [] {
                std::printf("peak_kb %ld\n", peakResidentKb());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool done_ = false;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    ExposeWatcher watcher;
    installFontSubstitutions();
    installToolkitAccessibility();
    ExamWindow window;
    window.show();
    window.windowHandle()->installEventFilter(&watcher);
    return app.exec();
}
