// Prints click points of the exam window's client area for the end-to-end tests, from the same
// tables the program uses, so the tests never restate the layout.
//   e2e_layout key [P]  one line per ticked box of paper P's key (1, the designed paper, unless
//                       given): "TAB_X TAB_Y BOX_X BOX_Y Q K"
//   e2e_layout mark Q   the mark of group Q: "X Y W H"
//   e2e_layout labels   the sheet's tab captions in tab order, one a line (UTF-8)
//   e2e_layout box Q K  box K of group Q, as a line of "key"
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/papers.h"
#include "sheet/answerkey.h"
#include "sheet/questiongroups.h"

namespace {

constexpr int sheetLeft = 136, sheetTop = 392, sheetWidth = 653, tabsPerRow = 12, rowHeight = 20;

void printBox(int q, int k) {
    const QuestionGroup &g = sheetlayout::group(q);
    const int tab = q - 1;
    const int column = tab % tabsPerRow;
    const int tabX =
        sheetLeft + (column * sheetWidth / tabsPerRow + (column + 1) * sheetWidth / tabsPerRow) / 2;
    const int tabY = sheetTop + (tab / tabsPerRow) * rowHeight + rowHeight / 2;
    const int boxX = sheetLeft + g.frameLeft + g.boxLefts[static_cast<unsigned>(k - 1)] + 6;
    const int boxY =
        sheetTop + sheetlayout::frameTop + sheetlayout::boxTop + sheetlayout::boxHeight / 2;
    std::printf("%d %d %d %d %d %d\n", tabX, tabY, boxX, boxY, q, k);
}

} // namespace

int main(int argc, char **argv) {
    if (argc >= 2 && std::strcmp(argv[1], "key") == 0) {
        const std::size_t paper = argc >= 3 ? std::size_t(std::atoi(argv[2]) - 1) : 0;
        if (paper >= builtInPapers().size()) {
            std::fprintf(stderr, "no paper %s\n", argv[2]);
            return 2;
        }
        for (const KeyEntry &entry : *builtInPapers()[paper].key)
            for (int k : entry.correct)
                if (k != 0)
                    printBox(entry.question, k);
        return 0;
    }
    if (argc >= 3 && std::strcmp(argv[1], "mark") == 0) {
        const QuestionGroup &g = sheetlayout::group(std::atoi(argv[2]));
        std::printf("%d %d %d %d\n", sheetLeft + g.markLeft, sheetTop + g.markTop, g.markWidth,
                    g.markHeight);
        return 0;
    }
    if (argc >= 2 && std::strcmp(argv[1], "labels") == 0) {
        for (const QuestionGroup &g : sheetlayout::groups)
            std::printf("%.*s\n", static_cast<int>(g.label.size()), g.label.data());
        return 0;
    }
    if (argc >= 4 && std::strcmp(argv[1], "box") == 0) {
        printBox(std::atoi(argv[2]), std::atoi(argv[3]));
        return 0;
    }
    std::fprintf(stderr, "usage: e2e_layout key [P] | mark Q | box Q K | labels\n");
    return 2;
}
