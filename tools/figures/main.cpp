// figures OUTPUT_FOLDER
//
// Draws the papers' figures as figure1.jpg … figure3.jpg: the first paper's in the folder,
// normally content/, and each later paper's in its own subfolder, paper2/, paper3/. Run from the
// repository root:
//
//     build/tools/figures/figures content
//
// What a screen reader says for each figure is written by hand in each paper's
// figure_descriptions.txt; a changed drawing needs its description changed too.

#include "toolkit/fonts.h"
#include "tools/figures/figurejpeg.h"
#include "tools/figures/footprintfigure.h"
#include "tools/figures/hairstylefigure.h"
#include "tools/figures/paper2figures.h"
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
    // The later papers, each in a folder of its own.
    using Draw = QImage (*)();
    const struct {
        const char *folder;
        Draw figures[3];
    } later[] = {
        {"paper2", {drawPaper2Figure1, drawPaper2Figure2, drawPaper2Figure3}},
        {"paper3", {drawPaper3Figure1, drawPaper3Figure2, drawPaper3Figure3}},
    };
    for (const auto &paper : later) {
        const QString name = QString::fromLatin1(paper.folder);
        if (!folder.mkpath(name)) {
            err << folder.filePath(name) << ": cannot make the folder\n";
            return 1;
        }
        const QDir into(folder.filePath(name));
        for (int i = 0; i < 3; ++i)
            ok = writeFigure(paper.figures[i](),
                             into.filePath(QStringLiteral("figure%1.jpg").arg(i + 1)), err) &&
                 ok;
    }
    return ok ? 0 : 1;
}
