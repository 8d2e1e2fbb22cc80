#pragma once

#include <QTextBrowser>
#include <map>

#include "toolkit/zoomkeys.h"

// The results window's pane for the answer book: an item's explanation, or a section's
// translations and word lists, read from the book's Markdown. It zooms like the paper does.
class AnswerBookPane : public QTextBrowser {
public:
    static constexpr int designedZoom = zoomsteps::designed;
    static constexpr int maxZoom = zoomsteps::largest;
    static constexpr int zoomStep = zoomsteps::step;

    // The book is the Markdown at bookPath, a resource read when the key is first shown.
    explicit AnswerBookPane(const QString &bookPath, QWidget *parent = nullptr);

    // What the pane shows for the row a learner is on: the item q (0 for a section's row) of
    // section s. With the key hidden it shows only how to see the key, never an answer.
    void showRow(int section, int q, bool keyShown);

    int zoom() const { return zoom_; }
    void setZoom(int percent);
    void zoomIn() { setZoom(zoom_ + zoomStep); }
    void zoomOut() { setZoom(zoom_ - zoomStep); }
    void resetZoom() { setZoom(designedZoom); }

    QSize sizeHint() const override;

private:
    void showPiece(const QString &piece, bool markdown);
    QTextDocument *documentFor(const QString &piece, bool markdown);
    void prepareSection(int section);

    const QString bookPath_;
    int zoom_ = designedZoom;
    const QString *shown_ = nullptr; // the piece on show, to skip a reshow of the same
    // Each piece's document, made the first time it is shown and kept: a document shown before
    // shows again without being read or laid out anew.
    std::map<const QString *, QTextDocument *> documents_;
    bool prepared_ = false; // the sections' documents are being made ahead
};
