// rtfgen SOURCE.txt OUTPUT.rtf
//
// Turns a readable UTF-8 document source from content/ into the code page 932 RTF the program
// shows. To remake every generated document and image at once, run from the repository root:
//
//     tools/make-content.sh

#include "tools/rtfgen/rtfgenerator.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        err << "usage: rtfgen SOURCE.txt OUTPUT.rtf\n";
        return 2;
    }
    QFile source(args[1]);
    if (!source.open(QIODevice::ReadOnly)) {
        err << args[1] << ": " << source.errorString() << '\n';
        return 1;
    }
    const GeneratedRtf generated = generateRtf(source.readAll());
    for (const QString &error : generated.errors)
        err << args[1] << ": " << error << '\n';
    if (!generated.errors.isEmpty())
        return 1;

    // Written whole or not at all, so a failed run never leaves half a document behind.
    QSaveFile output(args[2]);
    if (!output.open(QIODevice::WriteOnly) || output.write(generated.rtf) != generated.rtf.size() ||
        !output.commit()) {
        err << args[2] << ": " << output.errorString() << '\n';
        return 1;
    }
    return 0;
}
