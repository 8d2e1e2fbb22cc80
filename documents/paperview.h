#pragma once

#include <QPointer>
#include <array>
#include <vector>

#include "toolkit/multirowtabwidget.h"
#include "toolkit/zoomkeys.h"

class Announcer;
class PictureBox;
class QTextDocument;
class QTextEdit;
class QWindow;

// Where a paper's document, figures and their descriptions are read from: resource paths.
struct PaperDocuments {
    const char *document;
    std::array<const char *, 3> figures;
    const char *descriptions;
};

// The exam paper: its document on the first tab and its three figures on the others. The
// reader can zoom it from the designed size up to three times that; the zoom holds across the
// tabs, through the exam's steps and when another paper is shown.
class PaperView : public MultiRowTabWidget {
public:
    static constexpr int designedZoom = zoomsteps::designed;
    static constexpr int maxZoom = zoomsteps::largest;
    static constexpr int zoomStep = zoomsteps::step;
    // The first frame shows this many of the paper's paragraphs, with room below them for this
    // many views' height of the rest.
    static constexpr int firstScreenParagraphs = 28;
    static constexpr int restOfPaperScreens = 40;

    explicit PaperView(const PaperDocuments &paper, QWidget *parent = nullptr);
    ~PaperView() override;

    // Shows another paper: its text on the first tab, selected and scrolled to the top, and its
    // figures on the others.
    void showPaper(const PaperDocuments &paper);

    // The section (1 to 6) the reader is on: on a figure's tab the section that refers to the
    // figure, on the text's tab the one whose text stands at the top of the view; 0 before the
    // paper is read. Cheap enough for every tick of the clock: worked out again only after the
    // view has scrolled or changed.
    int sectionInView();

    // The paper's text view, its document read and attached.
    QTextEdit *document();

    int zoom() const { return zoom_; }
    void setZoom(int percent);
    void zoomIn() { setZoom(zoom_ + zoomStep); }
    void zoomOut() { setZoom(zoom_ - zoomStep); }
    void resetZoom() { setZoom(designedZoom); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void attachPaper();
    void showFirstScreen();
    void stopWatchingWindow();
    void zoomDocument();
    void describeFigures();
    void announceFigure(int index);
    void findSections();

    PaperDocuments paper_;
    QTextEdit *RichTextBox1 = nullptr;
    std::vector<PictureBox *> pictures_;
    Announcer *announcer_ = nullptr;
    // Where each section's heading starts in the document, in order, and which section refers
    // to each figure.
    std::vector<std::pair<int, int>> sectionStarts_;
    std::array<int, 3> figureSections_{};
    bool sectionsFound_ = false;
    int sectionAtTop_ = -1; // -1 until worked out for the view as it stands
    // The document as read; at the designed zoom the view shows it untouched. Other zooms show
    // a scaled copy, made when chosen. Read once the window is on its way to the screen.
    QTextDocument *designedDocument_ = nullptr;
    QPointer<QWindow> watchedWindow_; // whose first expose shows the paper, if nothing has
    // The paper's first paragraphs, shown until the whole paper is read and attached.
    QTextDocument *firstScreen_ = nullptr;
    QTextDocument *zoomedDocument_ = nullptr;
    int zoom_ = designedZoom;
    int wheelAngle_ = 0; // what a touchpad has turned towards the next step
};
