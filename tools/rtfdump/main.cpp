// rtfdump FILE [--runs]
//
// Prints what the program's RTF reader reads from FILE, as UTF-8: one line per paragraph, or
// with --runs every paragraph's runs with their font, size, colour and underline. Diff the plain
// output against another program's text export of the same file to check the reader.

#include "tools/rtfdump/rtfdumpformat.h"

#include "rtf/rtfreader.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

int main(int argc, char *argv[]) {
    // A command-line tool needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool runs = args.removeAll(QStringLiteral("--runs")) > 0;
    if (args.size() != 1) {
        std::fputs("usage: rtfdump FILE [--runs]\n", stderr);
        return 2;
    }
    QFile file(args.first());
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "rtfdump: cannot read %s\n", qPrintable(args.first()));
        return 1;
    }
    const QByteArray rtf = file.readAll();
    QTextDocument document;
    readRtf(rtf, &document);
    const QByteArray out = (runs ? documentRuns(document) : documentPlainText(document)).toUtf8();
    std::fwrite(out.constData(), 1, out.size(), stdout);
    return 0;
}
