// figures OUTPUT_FOLDER
//
// Draws the papers' figures and writes them as figure1.jpg … figure3.jpg into the folder, normally
// content/, the third paper's into its paper3/ subfolder. Run from the repository root:
//
//     build/tools/figures/figures content
//
// What a screen reader says for each figure is written by hand in content/figure_descriptions.txt
// and content/paper3/figure_descriptions.txt; a changed drawing needs its description changed too.

#include "toolkit/fonts.h"
#include "tools/figures/figurejpeg.h"
#include "tools/figures/footprintfigure.h"
#include "tools/figures/hairstylefigure.h"
#include "tools/figures/paper3birdfigure.h"
#include "tools/figures/paper3chartfigure.h"
#include "tools/figures/paper3platefigure.h"
#include "tools/figures/piechartfigure.h"

#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

namespace {

bool writeFigure(const QImage &image, const QString &path, QTextStream &err) {
    const QByteArray jpeg = encodeFigureJpeg(image);
    QSaveFile file(path);
    if (jpeg.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size() ||
        !file.commit()) {
        err << path << ": cannot write the figure\n";
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
    bool ok = writeFigure(drawHairstyleFigure(), folder.filePath("figure1.jpg"), err);
    ok = writeFigure(drawPieChartFigure(), folder.filePath("figure2.jpg"), err) && ok;
    ok = writeFigure(drawFootprintFigure(), folder.filePath("figure3.jpg"), err) && ok;
    if (!folder.mkpath("paper3")) {
        err << folder.filePath("paper3") << ": cannot make the folder\n";
        return 1;
    }
    const QDir paper3(folder.filePath("paper3"));
    ok = writeFigure(drawPaper3Figure1(), paper3.filePath("figure1.jpg"), err) && ok;
    ok = writeFigure(drawPaper3Figure2(), paper3.filePath("figure2.jpg"), err) && ok;
    ok = writeFigure(drawPaper3Figure3(), paper3.filePath("figure3.jpg"), err) && ok;
    return ok ? 0 : 1;
}
