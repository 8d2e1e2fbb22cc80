#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QPainter;
#include <vector>

// A tab control whose tabs wrap into several rows of equal-width tabs, drawn with the platform
// style. Rows keep their places when a tab is selected (the first tabs stay in the top row), so a
// tab never jumps away from under the pointer. Each page is a plain widget below the tab rows.
class MultiRowTabWidget : public QWidget {
    Q_OBJECT

public:
    static constexpr int rowHeight = 20;
    // The colour of a tab's marker.
    static inline const QColor noteColour{0, 96, 208};

    explicit MultiRowTabWidget(int tabsPerRow, QWidget *parent = nullptr);

    // Adds a tab and returns its page. Call before the control is shown.
    QWidget *addTab(const QString &caption);

    int count() const { return static_cast<int>(tabs_.size()); }
    int currentIndex() const { return current_; }
    void setCurrentIndex(int index);
    QWidget *page(int index) const;
    // The tab that shows the page, or -1.
    int indexOf(const QWidget *page) const;
    QString tabText(int index) const;
    // A small marker drawn in a tab's corner; the caption stays as it is.
    void setTabMarked(int index, bool marked);
    bool isTabMarked(int index) const;
    // What a screen reader says of a tab after its caption; nothing is drawn.
    void setTabDescription(int index, const QString &description);
    QString tabDescription(int index) const;

    int rowCount() const;
    // Height of the tab rows: where the pages begin.
    int tabAreaHeight() const { return rowCount() * rowHeight; }
    QRect tabRect(int index) const;
    int tabAt(QPoint pos) const;

signals:
    void currentChanged(int index);

protected:
    // Called before a page is shown for the first time and whenever it is selected; a subclass
    // can fill its pages only when they are first needed.
    virtual void preparePage(int index) { Q_UNUSED(index); }

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    struct Tab {
        QString caption;
        QWidget *page;
        QString description;
        bool marked = false;
    };

    void layoutPages();
    void drawMarker(QPainter &painter, const QRect &face) const;
    void updateAccessibleDescription();
    void announceSelection(int old);
    void announceFocusedTab();

    int tabsPerRow_;
    int current_ = -1;
    std::vector<Tab> tabs_;
};
