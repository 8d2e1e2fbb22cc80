#include "toolkit/multirowtabwidget.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

#include "toolkit/accessibility.h"

MultiRowTabWidget::MultiRowTabWidget(int tabsPerRow, QWidget *parent)
    : QWidget(parent), tabsPerRow_(tabsPerRow) {
    installToolkitAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QWidget *MultiRowTabWidget::addTab(const QString &caption) {
    auto *page = new QWidget(this);
    tabs_.push_back({caption, page, {}, false});
    if (current_ < 0)
        current_ = 0;
    else
        page->hide();
    updateAccessibleDescription();
    layoutPages();
    update();
    return page;
}

void MultiRowTabWidget::setCurrentIndex(int index) {
    if (index < 0 || index >= count() || index == current_)
        return;
    QWidget *oldPage = tabs_[static_cast<std::size_t>(current_)].page;
    // Focus on the page being put away goes to the tabs, where the keys that turn pages work,
    // rather than wherever the focus chain happens to lead.
    const bool focusOnOldPage = oldPage->isAncestorOf(QApplication::focusWidget());
    preparePage(index);
    tabs_[static_cast<std::size_t>(index)].page->show();
    if (focusOnOldPage)
        setFocus(Qt::TabFocusReason);
    oldPage->hide();
    const int old = current_;
    current_ = index;
    updateAccessibleDescription();
    update(tabRect(old).united(tabRect(current_)).adjusted(-4, -4, 4, 4));
    announceSelection(old);
    emit currentChanged(index);
}

QWidget *MultiRowTabWidget::page(int index) const {
    return tabs_.at(static_cast<std::size_t>(index)).page;
}

int MultiRowTabWidget::indexOf(const QWidget *page) const {
    for (int i = 0; i < count(); ++i) {
        if (tabs_[static_cast<std::size_t>(i)].page == page)
            return i;
    }
    return -1;
}

QString MultiRowTabWidget::tabText(int index) const {
    return tabs_.at(static_cast<std::size_t>(index)).caption;
}

void MultiRowTabWidget::setTabMarked(int index, bool marked) {
    Tab &tab = tabs_.at(static_cast<std::size_t>(index));
    if (tab.marked != marked) {
        tab.marked = marked;
        update(tabRect(index));
    }
}

bool MultiRowTabWidget::isTabMarked(int index) const {
    return tabs_.at(static_cast<std::size_t>(index)).marked;
}

void MultiRowTabWidget::setTabDescription(int index, const QString &description) {
    Tab &tab = tabs_.at(static_cast<std::size_t>(index));
    if (tab.description == description)
        return;
    tab.description = description;
    if (QAccessible::isActive()) {
        QAccessibleEvent changed(this, QAccessible::DescriptionChanged);
        changed.setChild(index);
        QAccessible::updateAccessibility(&changed);
    }
}

QString MultiRowTabWidget::tabDescription(int index) const {
    return tabs_.at(static_cast<std::size_t>(index)).description;
}

int MultiRowTabWidget::rowCount() const {
    return tabs_.empty() ? 1 : (count() + tabsPerRow_ - 1) / tabsPerRow_;
}

QRect MultiRowTabWidget::tabRect(int index) const {
    // Tabs split the width evenly; integer edges keep neighbours touching without gaps.
    const int row = index / tabsPerRow_;
    const int column = index % tabsPerRow_;
    const int left = column * width() / tabsPerRow_;
    const int right = (column + 1) * width() / tabsPerRow_;
    return QRect(left, row * rowHeight, right - left, rowHeight);
}

int MultiRowTabWidget::tabAt(QPoint pos) const {
    if (pos.y() < 0 || pos.y() >= tabAreaHeight() || pos.x() < 0 || pos.x() >= width())
        return -1;
    const int index = (pos.y() / rowHeight) * tabsPerRow_ + pos.x() * tabsPerRow_ / width();
    // The integer division above can land one tab off at an edge; settle it with the rectangles.
    for (int i = std::max(0, index - 1); i <= std::min(count() - 1, index + 1); ++i) {
        if (tabRect(i).contains(pos))
            return i;
    }
    return -1;
}

void MultiRowTabWidget::updateAccessibleDescription() {
    // A screen reader names the selected tab and where it stands among the others.
    setAccessibleDescription(
        QStringLiteral("%1 (%2/%3)").arg(tabText(current_)).arg(current_ + 1).arg(count()));
}

// As a tab bar does: the tab that lost the selection, the one that gained it and, with the focus
// on the tabs, the focus moving along, so that turning pages with the keys is heard.
void MultiRowTabWidget::announceSelection(int old) {
    if (!QAccessible::isActive())
        return;
    if (hasFocus())
        announceFocusedTab();
    QAccessibleEvent removed(this, QAccessible::SelectionRemove);
    removed.setChild(old);
    QAccessible::updateAccessibility(&removed);
    QAccessibleEvent added(this, QAccessible::Selection);
    added.setChild(current_);
    QAccessible::updateAccessibility(&added);
}

void MultiRowTabWidget::announceFocusedTab() {
    if (!QAccessible::isActive() || current_ < 0 || !hasFocus())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(current_);
    QAccessible::updateAccessibility(&focus);
}

void MultiRowTabWidget::layoutPages() {
    const QRect pageRect(0, tabAreaHeight(), width(), height() - tabAreaHeight());
    for (const Tab &tab : tabs_)
        tab.page->setGeometry(pageRect);
}

void MultiRowTabWidget::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    layoutPages();
}

void MultiRowTabWidget::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);

    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.shape = QTabBar::RoundedNorth;
    frame.rect = QRect(0, tabAreaHeight() - 1, width(), height() - tabAreaHeight() + 1);
    // Only a tab of the row next to the page opens into it.
    if (current_ >= 0 && current_ / tabsPerRow_ == rowCount() - 1)
        frame.selectedTabRect = tabRect(current_);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);

    // Behind the rows, the control's own colour rather than whatever lies under it.
    painter.fillRect(QRect(0, 0, width(), tabAreaHeight()), palette().window());

    auto drawTab = [&](int i) {
        QStyleOptionTab tab;
        tab.initFrom(this);
        tab.shape = QTabBar::RoundedNorth;
        tab.rect = tabRect(i);
        const int column = i % tabsPerRow_;
        const bool lastInRow = column == tabsPerRow_ - 1 || i == count() - 1;
        tab.position = column == 0
                           ? (lastInRow ? QStyleOptionTab::OnlyOneTab : QStyleOptionTab::Beginning)
                           : (lastInRow ? QStyleOptionTab::End : QStyleOptionTab::Middle);
        tab.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        if (i == current_)
            tab.state |= QStyle::State_Selected;
        if (i == current_) {
            // Some styles paint a selected tab's foot well below its row, to merge with a page
            // that here lies further down, and set their own clip while they do. Drawing it
            // through a pixmap the size of the tab keeps the foot in the row, or just into the
            // page for the row next to it.
            const bool nextToPage = i / tabsPerRow_ == rowCount() - 1;
            const QRect area = tab.rect.adjusted(-1, -1, 1, nextToPage ? 2 : 0);
            const qreal ratio = devicePixelRatioF();
            QPixmap pixmap(area.size() * ratio);
            pixmap.setDevicePixelRatio(ratio);
            pixmap.fill(Qt::transparent);
            QPainter tabPainter(&pixmap);
            tabPainter.translate(-area.topLeft());
            style()->drawControl(QStyle::CE_TabBarTabShape, &tab, &tabPainter, this);
            tabPainter.end();
            painter.drawPixmap(area.topLeft(), pixmap);
        } else {
            painter.drawControl(QStyle::CE_TabBarTabShape, tab);
        }
        // The captions are only a little narrower than a twelfth of the width; the style's
        // label padding would clip them, so they are centred in the whole tab instead.
        const QRect face = tab.rect.adjusted(0, i == current_ ? 0 : 2, 0, 0);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(face, Qt::AlignCenter, tabs_[static_cast<std::size_t>(i)].caption);
        if (tabs_[static_cast<std::size_t>(i)].marked)
            drawMarker(painter, face);
        if (i == current_ && hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = tab.rect.adjusted(2, 3, -2, -2);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    };
    // The selected tab goes last, over the edges of its neighbours, as a raised tab does.
    for (int i = 0; i < count(); ++i) {
        if (i != current_)
            drawTab(i);
    }
    if (current_ >= 0)
        drawTab(current_);
}

// A small triangle folded into the tab's top right corner, clear of the caption and the frame.
void MultiRowTabWidget::drawMarker(QPainter &painter, const QRect &face) const {
    constexpr int inset = 1, side = 5;
    const QPoint corner(face.right() - inset, face.top() + inset);
    const QPoint triangle[] = {corner, corner - QPoint(side, 0), corner + QPoint(0, side)};
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(noteColour);
    painter.drawPolygon(triangle, 3);
    painter.restore();
}

void MultiRowTabWidget::mousePressEvent(QMouseEvent *event) {
    const int index = tabAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || index < 0) {
        event->ignore();
        return;
    }
    setCurrentIndex(index);
}

void MultiRowTabWidget::keyPressEvent(QKeyEvent *event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    int next = -1;
    switch (event->key()) {
    case Qt::Key_Tab:
        if (ctrl)
            next = (current_ + 1) % count();
        break;
    case Qt::Key_Backtab:
        if (ctrl)
            next = (current_ + count() - 1) % count();
        break;
    case Qt::Key_Right:
        if (!ctrl)
            next = std::min(current_ + 1, count() - 1);
        break;
    case Qt::Key_Left:
        if (!ctrl)
            next = std::max(current_ - 1, 0);
        break;
    case Qt::Key_Down:
        if (hasFocus())
            next = std::min(current_ + tabsPerRow_, count() - 1);
        break;
    case Qt::Key_Up:
        if (hasFocus())
            next = current_ >= tabsPerRow_ ? current_ - tabsPerRow_ : current_;
        break;
    case Qt::Key_Home:
        if (hasFocus())
            next = 0;
        break;
    case Qt::Key_End:
        if (hasFocus())
            next = count() - 1;
        break;
    default:
        break;
    }
    // Arrow keys belong to the focused child when a child has the focus; only Ctrl+Tab reaches
    // past it to turn the page.
    const bool arrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right;
    if (next < 0 || count() == 0 || (arrow && !hasFocus())) {
        event->ignore();
        return;
    }
    setCurrentIndex(next);
}

void MultiRowTabWidget::focusInEvent(QFocusEvent *event) {
    QWidget::focusInEvent(event);
    if (current_ >= 0)
        update(tabRect(current_));
    // The focus lands on the selected tab, not on the list as a whole; the list's own focus is
    // announced after this handler, so the tab follows it.
    if (QAccessible::isActive())
        QMetaObject::invokeMethod(this, &MultiRowTabWidget::announceFocusedTab,
                                  Qt::QueuedConnection);
}

void MultiRowTabWidget::focusOutEvent(QFocusEvent *event) {
    QWidget::focusOutEvent(event);
    if (current_ >= 0)
        update(tabRect(current_));
}
