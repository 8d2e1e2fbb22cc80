#include "documents/paperview.h"

#include <QTextEdit>

#include "documents/figuredescriptions.h"
#include "documents/richtextview.h"
#include "toolkit/picturebox.h"

namespace {

struct FigurePage {
    const char *caption; // UTF-8
    const char *boxName;
    const char *image;
    QRect geometry; // from the control's corner, tab row included
};

constexpr FigurePage kFigures[] = {
    {"図１", "Picture2", ":/content/figure1.jpg", {168, 136, 337, 121}},
    {"図２", "Picture3", ":/content/figure2.jpg", {96, 88, 473, 225}},
    {"図３", "Picture4", ":/content/figure3.jpg", {80, 48, 521, 305}},
};

} // namespace

PaperView::PaperView(QWidget *parent) : MultiRowTabWidget(4, parent) {
    setObjectName(QStringLiteral("stb英語"));
    setAccessibleName(QStringLiteral("問題用紙"));
    QWidget *paperPage = addTab(QStringLiteral("問題"));
    for (const FigurePage &figure : kFigures)
        addTab(QString::fromUtf8(figure.caption));

    const int top = -tabAreaHeight();
    RichTextBox1 = createRichTextView(QStringLiteral(":/content/exam_paper.rtf"), paperPage);
    RichTextBox1->setGeometry(8, top + 24, 641, 361);
    RichTextBox1->setAccessibleName(QStringLiteral("問題"));

    for (int i = 0; i < 3; ++i) {
        const FigurePage &figure = kFigures[i];
        // Unscaled from the inner corner; what does not fit is cut off at the right and bottom.
        auto *box = new PictureBox(QString::fromLatin1(figure.image), page(i + 1));
        box->setObjectName(QString::fromLatin1(figure.boxName));
        box->setGeometry(figure.geometry.translated(0, top));
        // Heard instead of seen: the figure's caption and what it shows, kept with the content.
        const QString caption = QString::fromUtf8(figure.caption);
        box->setAccessibleName(caption);
        const auto description = figureDescriptions().find(caption);
        if (description != figureDescriptions().end())
            box->setAccessibleDescription(description->second);
    }
}
