#include <QAbstractTextDocumentLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "app/examwindow.h"
#include "app/programfolder.h"
#include "documents/paperview.h"
#include "fakewallclock.h"
#include "toolkit/signalplayerinterface.h"

namespace {

QDateTime at(int h, int m, int s, int ms = 0) {
    return QDateTime(QDate(2026, 12, 8), QTime(h, m, s, ms));
}

// Records each call with what the window showed at that moment: "Open@1:19|running".
class SnoopingPlayer final : public SignalPlayerInterface {
public:
    QLabel *clockLabel = nullptr;
    QTimer *timer = nullptr;
    QStringList calls;

    void setFileName(const QString &path) override { calls << QStringLiteral("file=") + path; }
    void command(const QString &verb) override {
        calls << QStringLiteral("%1@%2|%3")
                     .arg(verb, clockLabel->text(), timer->isActive() ? "running" : "stopped");
    }
};

// Counts the paint events a widget receives.
class PaintCounter final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

// The tick of the real exam window, driven by firing its timer by hand against a fake clock.
class TestExamTick : public QObject {
    Q_OBJECT

    FakeWallClock wall{at(10, 0, 30)};
    SnoopingPlayer player;
    std::unique_ptr<ExamWindow> window;
    QTimer *timer = nullptr;
    QLabel *clockLabel = nullptr;
    QString signalPath;

    void tickAt(const QDateTime &t) {
        wall.set(t);
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
    }
    void start() {
        window->findChild<QPushButton *>(QStringLiteral("cmdスタート"))->click();
        player.calls.clear();
    }

private slots:
    void init();
    void cleanup();
    void ordinaryTickPreparesTheSignalOnly();
    void fullMinuteShowsBeforeThePlayerIsTouched();
    void zeroTickStopsThenRewindsThenPlays();
    void wholeRunPlaysTheSignalOnce();
    void scoreBeforeTheEndPlaysNothing();
    void tickRepaintsOnlyTheClockLabelOnChange();
};

void TestExamTick::init() {
    wall.set(at(10, 0, 30));
    player.calls.clear();
    window = std::make_unique<ExamWindow>(&wall, &player);
    timer = window->findChild<QTimer *>(QStringLiteral("tmr時間"));
    clockLabel = window->findChild<QLabel *>(QStringLiteral("lbl秒"));
    QVERIFY(timer && clockLabel);
    player.timer = timer;
    player.clockLabel = clockLabel;
    signalPath = ProgramFolder() + QStringLiteral("Zikan.wav");
}

void TestExamTick::cleanup() {
    window.reset();
}

// A tick inside a minute names the signal file and opens it, and does nothing else.
void TestExamTick::ordinaryTickPreparesTheSignalOnly() {
    start();
    tickAt(at(10, 0, 31));
    QCOMPARE(player.calls, QStringList({QStringLiteral("file=") + signalPath,
                                        QStringLiteral("Open@1:20|running")}));
    QCOMPARE(clockLabel->text(), QStringLiteral("1:20"));
    QVERIFY(timer->isActive());
}

// The minute step comes first: on the tick of a full minute the player is opened with the new
// time already showing.
void TestExamTick::fullMinuteShowsBeforeThePlayerIsTouched() {
    start();
    tickAt(at(10, 1, 0, 400));
    QCOMPARE(player.calls, QStringList({QStringLiteral("file=") + signalPath,
                                        QStringLiteral("Open@1:19|running")}));
}

// On the tick that first shows 0:00 the order is file name, Open, then the timer stops, then
// Prev and Play.
void TestExamTick::zeroTickStopsThenRewindsThenPlays() {
    start();
    tickAt(at(11, 19, 59, 500));
    QCOMPARE(clockLabel->text(), QStringLiteral("0:01"));
    player.calls.clear();
    tickAt(at(11, 20, 0, 10));
    QCOMPARE(
        player.calls,
        QStringList({QStringLiteral("file=") + signalPath, QStringLiteral("Open@0:00|running"),
                     QStringLiteral("Prev@0:00|stopped"), QStringLiteral("Play@0:00|stopped")}));
    QVERIFY(!timer->isActive());
    QVERIFY(!window->findChild<QPushButton *>(QStringLiteral("cmdスタート"))->isEnabled());
}

// Ticking every second from Start while the timer runs: Open on every tick, one Prev and one
// Play, on the tick of the 80th full minute, and then the timer is still.
void TestExamTick::wholeRunPlaysTheSignalOnce() {
    start();
    int ticks = 0;
    QDateTime t = at(10, 0, 30, 700);
    while (timer->isActive() && ticks < 90 * 60) {
        t = t.addSecs(1);
        tickAt(t);
        ++ticks;
    }
    QCOMPARE(t, at(11, 20, 0, 700));
    QCOMPARE(player.calls.count(QStringLiteral("Open@") + "0:00|running"), 1);
    QCOMPARE(player.calls.filter(QStringLiteral("Open@")).size(), ticks);
    QCOMPARE(player.calls.filter(QStringLiteral("Prev@")).size(), 1);
    QCOMPARE(player.calls.filter(QStringLiteral("Play@")).size(), 1);
    QCOMPARE(player.calls.last(), QStringLiteral("Play@0:00|stopped"));
    QCOMPARE(clockLabel->text(), QStringLiteral("0:00"));
}

// Score stops the clock before the end: no signal, the label is blank and stays so.
void TestExamTick::scoreBeforeTheEndPlaysNothing() {
    start();
    tickAt(at(10, 40, 0));
    window->findChild<QPushButton *>(QStringLiteral("cmd得点"))->click();
    QVERIFY(!timer->isActive());
    QCOMPARE(clockLabel->text(), QString());
    QVERIFY(player.calls.filter(QStringLiteral("Prev@")).isEmpty());
    QVERIFY(player.calls.filter(QStringLiteral("Play@")).isEmpty());
}

// Ticks inside a minute repaint nothing; the tick of a full minute repaints the clock label
// and nothing else in the window.
void TestExamTick::tickRepaintsOnlyTheClockLabelOnChange() {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    start();
    // The whole paper is in and laid out to its end, so its scroll bar has its final range, and
    // repainted: what settles after start-up is not counted against the tick.
    QTextDocument *paper = window->findChild<PaperView *>()->document()->document();
    paper->documentLayout()->blockBoundingRect(paper->lastBlock());
    QTest::qWait(50);
    PaintCounter label;
    PaintCounter others;
    clockLabel->installEventFilter(&label);
    const QList<QWidget *> widgets = window->findChildren<QWidget *>();
    for (QWidget *w : widgets)
        if (w != clockLabel)
            w->installEventFilter(&others);
    window->installEventFilter(&others);

    for (int s = 31; s < 60; ++s) {
        tickAt(at(10, 0, s));
        QCoreApplication::processEvents();
    }
    QCOMPARE(label.paints, 0);
    tickAt(at(10, 1, 0));
    QTRY_COMPARE(label.paints, 1);
    QTest::qWait(50);
    QCOMPARE(label.paints, 1);
    QCOMPARE(others.paints, 0);
}

QTEST_MAIN(TestExamTick)
#include "tst_examtick.moc"
