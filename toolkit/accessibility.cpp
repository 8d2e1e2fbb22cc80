#include "toolkit/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

#include "toolkit/announcer.h"
#include "toolkit/multirowtabwidget.h"
#include "toolkit/picturebox.h"

namespace {

QRect globalRect(const QWidget *widget, const QRect &rect) {
    return QRect(widget->mapToGlobal(rect.topLeft()), rect.size());
}

// One tab: not a widget of its own, so it lives as long as the list's interface that made it.
class AccessibleTab : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleTab(MultiRowTabWidget *tabs, int index) : tabs_(tabs), index_(index) {}

    int index() const { return index_; }

    bool isValid() const override { return tabs_ && index_ < tabs_->count(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return isValid() ? parent()->window() : nullptr; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (t == QAccessible::Name)
            return tabs_->tabText(index_);
        return t == QAccessible::Description ? tabs_->tabDescription(index_) : QString();
    }
    void setText(QAccessible::Text, const QString &) override {}

    QAccessible::State state() const override {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        const QAccessible::State list = parent()->state();
        s.disabled = list.disabled;
        s.invisible = list.invisible;
        s.offscreen = list.offscreen;
        s.focusable = true;
        s.selectable = true;
        s.selected = index_ == tabs_->currentIndex();
        s.focused = s.selected && tabs_->hasFocus();
        return s;
    }

    QRect rect() const override {
        return isValid() ? globalRect(tabs_, tabs_->tabRect(index_)) : QRect();
    }

    QAccessibleInterface *parent() const override {
        return QAccessible::queryAccessibleInterface(tabs_.data());
    }
    // The tab's page, which is shown only while the tab is selected.
    int childCount() const override { return isValid() ? 1 : 0; }
    QAccessibleInterface *child(int index) const override {
        return isValid() && index == 0 ? QAccessible::queryAccessibleInterface(page()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override {
        return isValid() && child && child->object() == page() ? 0 : -1;
    }
    QAccessibleInterface *childAt(int x, int y) const override {
        QAccessibleInterface *pageInterface = child(0);
        return pageInterface && pageInterface->rect().contains(x, y) ? pageInterface : nullptr;
    }

    void *interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString &actionName) override {
        if (isValid() && actionName == pressAction())
            tabs_->setCurrentIndex(index_);
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

private:
    QWidget *page() const { return tabs_->page(index_); }

    QPointer<MultiRowTabWidget> tabs_;
    int index_;
};

class AccessibleTabList : public QAccessibleWidget {
public:
    explicit AccessibleTabList(MultiRowTabWidget *tabs)
        : QAccessibleWidget(tabs, QAccessible::PageTabList) {}

    ~AccessibleTabList() override {
        for (QAccessible::Id id : tabIds_) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return tabs()->count(); }

    QAccessibleInterface *child(int index) const override {
        if (index < 0 || index >= tabs()->count())
            return nullptr;
        if (tabIds_.size() <= static_cast<std::size_t>(index))
            tabIds_.resize(static_cast<std::size_t>(tabs()->count()), 0);
        QAccessible::Id &id = tabIds_[static_cast<std::size_t>(index)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(new AccessibleTab(tabs(), index));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface *child) const override {
        if (!child || child->role() != QAccessible::PageTab || child->parent() != this)
            return -1;
        return static_cast<const AccessibleTab *>(child)->index();
    }

    // A point on a page belongs to the selected tab, which holds the page.
    QAccessibleInterface *childAt(int x, int y) const override {
        const QPoint point(x, y);
        for (int i = 0; i < tabs()->count(); ++i) {
            if (globalRect(tabs(), tabs()->tabRect(i)).contains(point))
                return child(i);
        }
        const int current = tabs()->currentIndex();
        if (current >= 0 && rect().contains(point))
            return child(current);
        return nullptr;
    }

    QAccessibleInterface *focusChild() const override {
        return tabs()->hasFocus() ? child(tabs()->currentIndex()) : nullptr;
    }

private:
    MultiRowTabWidget *tabs() const { return static_cast<MultiRowTabWidget *>(widget()); }

    mutable std::vector<QAccessible::Id> tabIds_; // tab i at i; 0 until first asked for
};

// A page: a plain panel whose parent is its tab rather than the tab control.
class AccessibleTabPage : public QAccessibleWidget {
public:
    explicit AccessibleTabPage(QWidget *page) : QAccessibleWidget(page, QAccessible::Pane) {}

    QAccessibleInterface *parent() const override {
        auto *tabs = static_cast<MultiRowTabWidget *>(widget()->parentWidget());
        const int index = tabs->indexOf(widget());
        // Asked while the page is being added: the control itself stands in for the tab.
        if (index < 0)
            return QAccessibleWidget::parent();
        return QAccessible::queryAccessibleInterface(tabs)->child(index);
    }
};

QAccessibleInterface *toolkitAccessibleFactory(const QString &className, QObject *object) {
    // A plain widget standing as a window of its own (About, the verdicts) is a window to a
    // screen reader, not a nameless panel; Qt gives that role only to main windows and dialogs.
    if (auto *widget = qobject_cast<QWidget *>(object);
        widget && widget->isWindow() && className == QLatin1String("QWidget"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    if (auto *tabs = qobject_cast<MultiRowTabWidget *>(object))
        return new AccessibleTabList(tabs);
    if (auto *announcer = qobject_cast<Announcer *>(object))
        return new QAccessibleWidget(announcer, QAccessible::Notification);
    if (auto *picture = qobject_cast<PictureBox *>(object))
        return new QAccessibleWidget(picture, QAccessible::Graphic);
    // Every child of a tab control is one of its pages.
    if (auto *widget = qobject_cast<QWidget *>(object);
        widget && !widget->isWindow() && qobject_cast<MultiRowTabWidget *>(widget->parentWidget()))
        return new AccessibleTabPage(widget);
    return nullptr;
}

} // namespace

void installToolkitAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(toolkitAccessibleFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
