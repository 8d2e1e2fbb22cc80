// figures OUTPUT_FOLDER
//
// Draws the paper's three figures and writes them as figure1.jpg … figure3.jpg into the folder,
// normally content/. Run from the repository root:
//
//     build/tools/figures/figures content

#include "toolkit/fonts.h"
#include "tools/figures/footprintfigure.h"
#include "tools/figures/hairstylefigure.h"
#include "tools/figures/piechartfigure.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QTextStream>

namespace {

// Baseline, 8-bit, not progressive: the simplest JPEG every picture box can show.
bool writeJpeg(const QImage &image, const QString &path, QTextStream &err) {
    QImageWriter writer(path, "jpeg");
    writer.setQuality(92);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(false);
    if (!writer.write(image)) {
        err << path << ": " << writer.errorString() << '\n';
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[]) {
    // Drawing needs the font database but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    installFontSubstitutions();

    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: figures OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir folder(args[1]);
    bool ok = writeJpeg(drawHairstyleFigure(), folder.filePath("figure1.jpg"), err);
    ok = writeJpeg(drawPieChartFigure(), folder.filePath("figure2.jpg"), err) && ok;
    ok = writeJpeg(drawFootprintFigure(), folder.filePath("figure3.jpg"), err) && ok;
    return ok ? 0 : 1;
}
