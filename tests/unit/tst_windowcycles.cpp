#include <QApplication>
#include <QtTest>

#include "app/examwindow.h"
#include "fakewallclock.h"
#include "recordingplayer.h"
#include "tests/memcheck/processmemory.h"
#include "tests/memcheck/windowcycler.h"
#include "toolkit/fonts.h"

// The short, valgrind-free form of `make memcheck`: opening and closing the secondary windows
// again and again leaves nothing behind.
class TestWindowCycles : public QObject {
    Q_OBJECT

    static constexpr int cycles = 8;

    FakeWallClock wallClock{QDateTime(QDate(2026, 12, 8), QTime(10, 0, 30))};
    RecordingPlayer player;

private slots:
    void initTestCase() { installFontSubstitutions(); }

    // Every cycle opens and deletes each kind of window, and after the first cycle neither the
    // widgets nor the heap grow: a window, or any part of one, kept per cycle shows.
    void cyclesLeaveNothingBehind() {
        ExamWindow exam(&wallClock, &player);
        exam.show();
        QVERIFY(QTest::qWaitForWindowExposed(&exam));
        WindowCycler cycler(exam);
        exam.cmdスタート_Click();

        // The first cycle fills what is made once: font and glyph caches, the pictures.
        QCOMPARE(cycler.cycle(), QString());
        const auto widgets = QApplication::allWidgets().size();
        const ProcessMemory first = ProcessMemory::now();

        // What one open window costs: a leak of a thirtieth of one per cycle adds up past the
        // bound.
        exam.mnuAbout_Click();
        QCoreApplication::processEvents();
        const qint64 aboutCost = qint64(ProcessMemory::now().heapInUse) - qint64(first.heapInUse);
        exam.aboutWindow()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        for (int i = 2; i <= cycles; ++i) {
            QCOMPARE(cycler.cycle(), QString());
            QCOMPARE(QApplication::allWidgets().size(), widgets);
        }
        const qint64 growth = qint64(ProcessMemory::now().heapInUse) - qint64(first.heapInUse);
#if defined(__SANITIZE_ADDRESS__)
        QSKIP("the sanitizer's allocator keeps no figures; LeakSanitizer watches the heap here");
#endif
        qInfo("one About window %lld kB; growth over %d cycles %lld kB", aboutCost / 1024,
              cycles - 1, growth / 1024);
        QVERIFY(aboutCost > 0);
        QVERIFY2(growth < aboutCost / 4,
                 qPrintable(QStringLiteral("heap grew %1 bytes").arg(growth)));
        exam.mnuExit_Click();
    }
};

QTEST_MAIN(TestWindowCycles)
#include "tst_windowcycles.moc"
