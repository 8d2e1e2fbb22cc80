// e2e_bursts RAW_FILE RATE
//
// Prints the stretches of sound in a raw 16-bit little-endian mono recording, one per line:
// start in seconds from the recording's first sample, length in seconds and pitch in Hz.

#include "tools/zikan/toneburst.h"

#include <QFile>
#include <QTextStream>
#include <QtEndian>

int main(int argc, char *argv[]) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (argc != 3) {
        err << "usage: e2e_bursts RAW_FILE RATE\n";
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    const int rate = QByteArray(argv[2]).toInt();
    if (rate <= 0 || !file.open(QIODevice::ReadOnly)) {
        err << argv[1] << ": cannot read\n";
        return 2;
    }
    const QByteArray raw = file.readAll();
    QList<qint16> samples(raw.size() / 2);
    for (qsizetype i = 0; i < samples.size(); ++i)
        samples[i] = qFromLittleEndian<qint16>(raw.constData() + 2 * i);
    for (const ToneBurst &b : findToneBursts(samples, rate))
        out << QString::asprintf("%.3f %.3f %.0f\n", b.startSeconds, b.lengthSeconds,
                                 b.frequencyHz);
    err << QString::asprintf("%.3f s recorded\n", double(samples.size()) / rate);
    return 0;
}
