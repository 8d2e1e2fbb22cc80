// zikan CONTENT_DIR
//
// Writes the program's time signal, Zikan.wav, into the content folder. To remake every
// generated file at once, run from the repository root:
//
//     tools/make-content.sh

#include "tools/zikan/timesignal.h"

#include <QDir>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char *argv[]) {
    if (argc != 2) {
        QTextStream(stderr) << "usage: zikan CONTENT_DIR\n";
        return 2;
    }
    const QString path =
        QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("Zikan.wav"));
    const QByteArray bytes = TimeSignal::wavFile();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        QTextStream(stderr) << path << ": " << file.errorString() << '\n';
        return 1;
    }
    return 0;
}
