#include <QAccessible>
#include <QCheckBox>
#include <QtTest>

#include "app/examwindow.h"
#include "fakewallclock.h"
#include "recordingplayer.h"
#include "sheet/answersheet.h"
#include "tests/memcheck/windowcycler.h"
#include "toolkit/accessibility.h"
#include "toolkit/fonts.h"

// What a screen reader is given, read through Qt's accessibility interfaces as the platform
// bridge reads them: the sheet's tabs as page tabs, every window and what a user reaches in it
// named. The figures and the announcements of page turns are heard over the real bus (e2e).

namespace {

QAccessibleInterface *a11y(QObject *object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Everything from iface down that a user reaches or must read but would hear no name for, each
// as "role R in OBJECT".
QStringList unnamed(QAccessibleInterface *iface) {
    static const QList<QAccessible::Role> named{
        QAccessible::Window,  QAccessible::PushButton,  QAccessible::CheckBox,
        QAccessible::PageTab, QAccessible::PageTabList, QAccessible::EditableText,
        QAccessible::Graphic, QAccessible::StaticText,  QAccessible::MenuItem};
    QStringList found;
    if (named.contains(iface->role()) && iface->text(QAccessible::Name).trimmed().isEmpty())
        found << QStringLiteral("role %1 in %2")
                     .arg(iface->role())
                     .arg(iface->object() ? iface->object()->objectName() : QString());
    for (int i = 0; i < iface->childCount(); ++i)
        found << unnamed(iface->child(i));
    return found;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

    FakeWallClock wallClock{QDateTime(QDate(2026, 12, 8), QTime(10, 0, 30))};
    RecordingPlayer player;
    std::unique_ptr<ExamWindow> window;

    AnswerSheet *sheet() { return window->answerSheet(); }

private slots:
    void initTestCase() {
        installFontSubstitutions();
        installToolkitAccessibility();
    }

    void init() {
        window = std::make_unique<ExamWindow>(&wallClock, &player);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() {
        window->mnuExit_Click();
        window.reset();
    }

    // The sheet is a page-tab list of exactly its 46 tabs, named as drawn, placed by index, the
    // selected one marked; a box is found under its page under its tab; a tab's press selects it.
    void sheetIsAPageTabList() {
        QAccessibleInterface *list = a11y(sheet());
        QCOMPARE(list->role(), QAccessible::PageTabList);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("解答用紙"));
        QCOMPARE(list->childCount(), 46);
        for (int i = 0; i < 46; ++i) {
            QAccessibleInterface *tab = list->child(i);
            QCOMPARE(tab->role(), QAccessible::PageTab);
            QCOMPARE(tab->text(QAccessible::Name), sheet()->groupLabel(i + 1));
            QCOMPARE(list->indexOfChild(tab), i);
            QCOMPARE(tab->parent(), list);
            QCOMPARE(bool(tab->state().selected), i == 0);
            QCOMPARE(tab->rect().center(), sheet()->mapToGlobal(sheet()->tabRect(i).center()));
            QCOMPARE(list->childAt(tab->rect().center().x(), tab->rect().center().y()), tab);
        }

        QAccessibleInterface *page = a11y(sheet()->box(1, 1))->parent()->parent();
        QCOMPARE(page->object(), sheet()->page(0));
        QCOMPARE(page->parent(), list->child(0));
        QCOMPARE(list->child(0)->child(0), page);
        QCOMPARE(list->child(0)->indexOfChild(page), 0);
        QVERIFY(list->child(5)->child(0)->state().invisible);

        list->child(20)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(sheet()->currentIndex(), 20);
        QVERIFY(list->child(20)->state().selected);
        QVERIFY(!list->child(0)->state().selected);
        QCOMPARE(a11y(sheet()->box(21, 4))->parent()->parent()->parent(), list->child(20));
    }

    // Every window is a window with a name, and everything a user reaches or reads in it has a
    // name too. A new window needs a row here.
    void windowsAreNamed_data() {
        // 0 the exam window, 1 to 6 a verdict band, 7 About, 8 the results
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("description");
        QTest::newRow("exam") << 0 << "問題 （英語）"
                              << "";
        QTest::newRow("verdict 1") << 1 << "合格ライン"
                                   << "合格率 ９９％ あなたはカンニング";
        QTest::newRow("verdict 2") << 2 << "合格ライン"
                                   << "合格率 ８０％ 一流大学まで";
        QTest::newRow("verdict 3") << 3 << "合格ライン"
                                   << "合格率 ５０％ 四流大学";
        QTest::newRow("verdict 4") << 4 << "合格ライン"
                                   << "合格率 １０％ 浪人生活";
        QTest::newRow("verdict 5") << 5 << "合格ライン"
                                   << "合格率 ０％ 受験料";
        QTest::newRow("verdict 6") << 6 << "合格ライン"
                                   << "計測不能 裏口入学";
        QTest::newRow("about") << 7 << "バージョン情報"
                               << "";
        QTest::newRow("results") << 8 << "結果"
                                 << "";
    }
    void windowsAreNamed() {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QString, description);
        QWidget *shown = window.get();
        if (kind >= 1 && kind <= 6) {
            WindowCycler(*window).scoreInBand(kind);
            window->cmd合格率_Click();
            shown = window->verdictWindow(kind);
        } else if (kind == 7) {
            window->mnuAbout_Click();
            shown = window->aboutWindow();
        } else if (kind == 8) {
            window->cmd得点_Click();
            window->mnu結果_Click();
            shown = window->resultsWindow();
        }
        QVERIFY(shown);
        QAccessibleInterface *iface = a11y(shown);
        QCOMPARE(iface->role(), QAccessible::Window);
        QCOMPARE(iface->text(QAccessible::Name), name);
        QCOMPARE(iface->text(QAccessible::Description).left(description.size()), description);
        QCOMPARE(unnamed(iface), QStringList());
    }
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
