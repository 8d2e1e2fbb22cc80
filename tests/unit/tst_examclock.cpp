#include <QTest>
#include <QTimeZone>

#include "app/examclock.h"
#include "fakewallclock.h"

namespace {

QDateTime at(int h, int m, int s, int ms = 0) {
    return QDateTime(QDate(2026, 12, 8), QTime(h, m, s, ms), Qt::UTC);
}

// Ticks the clock every periodMs from `from` up to and including `until`; returns the display
// text after each tick together with the tick's time.
struct Tick {
    QDateTime time;
    bool changed;
    QString text;
    int minutes;
};

QList<Tick> tickEvery(ExamClock &clock, FakeWallClock &wall, const QDateTime &from,
                      const QDateTime &until, int periodMs) {
    QList<Tick> ticks;
    for (QDateTime t = from; t <= until; t = t.addMSecs(periodMs)) {
        wall.set(t);
        const bool changed = clock.minuteStep();
        ticks.append({t, changed, clock.displayText(), clock.minutes()});
    }
    return ticks;
}

// Sets the wall clock to t and ticks once; returns the display text.
QString tickAt(ExamClock &clock, FakeWallClock &wall, const QDateTime &t) {
    wall.set(t);
    clock.minuteStep();
    return clock.displayText();
}

} // namespace

class TestExamClock : public QObject {
    Q_OBJECT
private slots:
    void startShowsFullTimeBeforeAnyTick();
    void timedExamples_data();
    void timedExamples();
    void displayFormat_data();
    void displayFormat();
    void everyMinuteShownOnceWhateverThePeriod_data();
    void everyMinuteShownOnceWhateverThePeriod();
    void lateTickDoesNotLoseTheMinute();
    void twoTicksInSecondZeroTakeOneMinute();
    void missingTicksAreCaughtUp();
    void suspendCatchesUpAndStopsAtZero();
    void clockSetBackTakesNothingOff();
    void clockChangesAndSleepsCountAsRealTime_data();
    void clockChangesAndSleepsCountAsRealTime();
    void reachesZeroExactlyOnce();
    void restartBeginsAgainAtFullTime();
    void tickBeforeStartChangesNothing();
    void localOffsetsAndDaylightSaving_data();
    void localOffsetsAndDaylightSaving();
    void extraTimeAndWarnings();
};

// Start alone shows 1:20 with hours and seconds at zero.
void TestExamClock::startShowsFullTimeBeforeAnyTick() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    QCOMPARE(clock.displayText(), QStringLiteral("1:20"));
    QCOMPARE(clock.hours(), 0);
    QCOMPARE(clock.minutes(), 80);
    QCOMPARE(clock.seconds(), 0);
}

void TestExamClock::timedExamples_data() {
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QDateTime>("check");
    QTest::addColumn<QString>("expected");

    QTest::newRow("10:00:30, last second before the first minute")
        << at(10, 0, 30) << at(10, 0, 59) << "1:20";
    QTest::newRow("10:00:30, first full minute") << at(10, 0, 30) << at(10, 1, 0) << "1:19";
    QTest::newRow("10:00:30, 20th full minute") << at(10, 0, 30) << at(10, 20, 0) << "1:00";
    QTest::newRow("10:00:30, 21st full minute") << at(10, 0, 30) << at(10, 21, 0) << "0:59";
    QTest::newRow("10:00:30, just before the end") << at(10, 0, 30) << at(11, 19, 59) << "0:01";
    QTest::newRow("10:00:30, 80th full minute") << at(10, 0, 30) << at(11, 20, 0) << "0:00";
    QTest::newRow("10:00:59, one second later") << at(10, 0, 59) << at(10, 1, 0) << "1:19";
    QTest::newRow("10:00:00.000, same minute") << at(10, 0, 0) << at(10, 0, 59) << "1:20";
    QTest::newRow("10:00:00.000, 79 minutes on") << at(10, 0, 0) << at(11, 19, 59) << "0:01";
    QTest::newRow("10:00:00.000, 80 minutes on") << at(10, 0, 0) << at(11, 20, 0) << "0:00";
    // A machine whose clock battery is flat may read a time before 1970.
    const QDateTime epoch(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);
    QTest::newRow("before 1970, first full minute") << epoch.addSecs(-30) << epoch << "1:19";
    QTest::newRow("before 1970, just before it")
        << epoch.addSecs(-90) << epoch.addSecs(-61) << "1:20";
}

// With a tick every second the display follows the full minutes of the wall clock.
void TestExamClock::timedExamples() {
    QFETCH(QDateTime, start);
    QFETCH(QDateTime, check);
    QFETCH(QString, expected);
    FakeWallClock wall(start);
    ExamClock clock(wall);
    clock.start();
    const QList<Tick> ticks = tickEvery(clock, wall, start.addSecs(1), check, 1000);
    QVERIFY(!ticks.isEmpty());
    QCOMPARE(ticks.last().time, check);
    QCOMPARE(ticks.last().text, expected);
}

void TestExamClock::displayFormat_data() {
    QTest::addColumn<int>("minutesPassed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("80 left") << 0 << "1:20";
    QTest::newRow("65 left") << 15 << "1:05";
    QTest::newRow("60 left") << 20 << "1:00";
    QTest::newRow("59 left") << 21 << "0:59";
    QTest::newRow("9 left") << 71 << "0:09";
    QTest::newRow("1 left") << 79 << "0:01";
    QTest::newRow("0 left") << 80 << "0:00";
}

// "h:mm": hours without a leading zero, minutes always two digits, 60 and more carried.
void TestExamClock::displayFormat() {
    QFETCH(int, minutesPassed);
    QFETCH(QString, expected);
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    tickAt(clock, wall, at(10, 0, 31).addSecs(60 * minutesPassed));
    QCOMPARE(clock.displayText(), expected);
    QCOMPARE(clock.hours(), 0);
    QCOMPARE(clock.seconds(), 0);
}

void TestExamClock::everyMinuteShownOnceWhateverThePeriod_data() {
    QTest::addColumn<int>("periodMs");
    QTest::addColumn<QDateTime>("firstTick");
    // A coarse timer fires early (about 950 ms) and a busy one late; both used to drop or
    // double minutes when only a tick inside second 0 counted.
    QTest::newRow("1000 ms") << 1000 << at(10, 0, 31, 400);
    QTest::newRow("950 ms") << 950 << at(10, 0, 31);
    QTest::newRow("1050 ms") << 1050 << at(10, 0, 31);
    QTest::newRow("1300 ms") << 1300 << at(10, 0, 30, 700);
    QTest::newRow("333 ms") << 333 << at(10, 0, 30, 100);
}

// Each display from 1:20 down to 0:00 appears exactly once, and changes only on the first tick
// of a new wall-clock minute.
void TestExamClock::everyMinuteShownOnceWhateverThePeriod() {
    QFETCH(int, periodMs);
    QFETCH(QDateTime, firstTick);
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    const QList<Tick> ticks = tickEvery(clock, wall, firstTick, at(11, 21, 0), periodMs);

    int expectedMinutes = 80;
    QDateTime previous = at(10, 0, 30);
    for (const Tick &tick : ticks) {
        const bool newMinute = tick.time.time().minute() != previous.time().minute();
        QCOMPARE(tick.changed, newMinute && expectedMinutes > 0);
        if (tick.changed)
            --expectedMinutes;
        QCOMPARE(tick.minutes, expectedMinutes);
        if (tick.text == QStringLiteral("0:00") && tick.changed)
            QVERIFY(tick.time >= at(11, 20, 0) && tick.time < at(11, 20, 0).addMSecs(periodMs));
        previous = tick.time;
    }
    QCOMPARE(expectedMinutes, 0);
}

// A tick that misses second 0 still takes that minute off when it comes.
void TestExamClock::lateTickDoesNotLoseTheMinute() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    QCOMPARE(tickAt(clock, wall, at(10, 0, 59, 990)), QStringLiteral("1:20"));
    QCOMPARE(tickAt(clock, wall, at(10, 1, 1, 10)), QStringLiteral("1:19"));
    QCOMPARE(tickAt(clock, wall, at(10, 1, 2, 10)), QStringLiteral("1:19"));
}

// Two ticks inside one second 0 take one minute off, not two.
void TestExamClock::twoTicksInSecondZeroTakeOneMinute() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    wall.set(at(10, 1, 0, 20));
    QVERIFY(clock.minuteStep());
    wall.set(at(10, 1, 0, 980));
    QVERIFY(!clock.minuteStep());
    QCOMPARE(clock.displayText(), QStringLiteral("1:19"));
}

// Three minutes without a tick are all taken off by the next tick.
void TestExamClock::missingTicksAreCaughtUp() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    QCOMPARE(tickAt(clock, wall, at(10, 5, 0, 200)), QStringLiteral("1:15"));
    QCOMPARE(tickAt(clock, wall, at(10, 8, 10)), QStringLiteral("1:12"));
    QCOMPARE(tickAt(clock, wall, at(10, 8, 11)), QStringLiteral("1:12"));
}

// A machine that sleeps loses nothing, and a sleep past the end stops at 0:00.
void TestExamClock::suspendCatchesUpAndStopsAtZero() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    QCOMPARE(tickAt(clock, wall, at(10, 10, 20)), QStringLiteral("1:10"));
    QCOMPARE(tickAt(clock, wall, at(10, 40, 25)), QStringLiteral("0:40"));

    wall.set(at(12, 30, 0));
    QVERIFY(clock.minuteStep());
    QCOMPARE(clock.displayText(), QStringLiteral("0:00"));
    QCOMPARE(clock.minutes(), 0);
}

// Setting the clock back takes nothing off, and the minutes still fall where they fell before:
// at the full minutes of the clock as it read at Start.
void TestExamClock::clockSetBackTakesNothingOff() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    QCOMPARE(tickAt(clock, wall, at(10, 10, 20)), QStringLiteral("1:10"));
    // The fake's boot clock stands still while the clock is set back: 10:10:20 in real time.
    wall.set(at(9, 10, 20));
    QVERIFY(!clock.minuteStep());
    QCOMPARE(clock.displayText(), QStringLiteral("1:10"));
    QCOMPARE(tickAt(clock, wall, at(9, 10, 59)), QStringLiteral("1:10"));
    QCOMPARE(tickAt(clock, wall, at(9, 11, 0)), QStringLiteral("1:09"));
    QCOMPARE(tickAt(clock, wall, at(9, 12, 0)), QStringLiteral("1:08"));
}

void TestExamClock::clockChangesAndSleepsCountAsRealTime_data() {
    // Each step: seconds of real time since Start, where the clock then reads (seconds from
    // the Start reading of 10:00:30), and the display after that step's tick.
    QTest::addColumn<QList<int>>("realSeconds");
    QTest::addColumn<QList<int>>("clockSeconds");
    QTest::addColumn<QStringList>("expected");
    constexpr int hour = 3600;
    constexpr int day = 24 * hour;
    QTest::newRow("set back an hour, then corrected")
        << QList<int>{300, 301, 302, 330} << QList<int>{300, 301 - hour, 302, 330}
        << QStringList{"1:15", "1:15", "1:15", "1:14"};
    QTest::newRow("set back a day, then corrected")
        << QList<int>{300, 301, 302, 4770} << QList<int>{300, 301 - day, 302, 4770}
        << QStringList{"1:15", "1:15", "1:15", "0:00"};
    QTest::newRow("set forward a day, then corrected")
        << QList<int>{300, 301, 302} << QList<int>{300, 301 + day, 302}
        << QStringList{"1:15", "1:15", "1:15"};
    QTest::newRow("set forward 30 s, within the minute")
        << QList<int>{10, 11, 29, 30} << QList<int>{10, 41, 59, 60}
        << QStringList{"1:20", "1:20", "1:20", "1:19"};
    // Suspended for half an hour: both clocks jump together.
    QTest::newRow("asleep half an hour")
        << QList<int>{300, 2100, 2130} << QList<int>{300, 2100, 2130}
        << QStringList{"1:15", "0:45", "0:44"};
    // Some machines wake with the clock wrong until the network corrects it.
    QTest::newRow("woke with the clock an hour behind")
        << QList<int>{300, 2100, 2101} << QList<int>{300, 2100 - hour, 2101}
        << QStringList{"1:15", "0:45", "0:45"};
    QTest::newRow("asleep past the end")
        << QList<int>{300, 9000, 9001} << QList<int>{300 - hour, 9000 - hour, 9001}
        << QStringList{"1:15", "0:00", "0:00"};
}

// The exam lasts 80 minutes of real time whatever the clock is set to while it runs, and time
// asleep counts; the display still changes at the full minutes of the clock read at Start.
void TestExamClock::clockChangesAndSleepsCountAsRealTime() {
    QFETCH(QList<int>, realSeconds);
    QFETCH(QList<int>, clockSeconds);
    QFETCH(QStringList, expected);
    QCOMPARE(clockSeconds.size(), realSeconds.size());
    QCOMPARE(expected.size(), realSeconds.size());
    const QDateTime start = at(10, 0, 30);
    FakeWallClock wall(start);
    const qint64 bootAtStart = wall.sinceBootMs();
    ExamClock clock(wall);
    clock.start();
    int zeroSteps = 0;
    for (qsizetype i = 0; i < realSeconds.size(); ++i) {
        wall.setReadings(start.addSecs(clockSeconds[i]), bootAtStart + realSeconds[i] * 1000LL);
        if (clock.minuteStep() && clock.displayText() == QLatin1String("0:00"))
            ++zeroSteps;
        QVERIFY2(clock.displayText() == expected[i],
                 qPrintable(QStringLiteral("step %1: %2").arg(i).arg(clock.displayText())));
    }
    QCOMPARE(zeroSteps, expected.contains(QStringLiteral("0:00")) ? 1 : 0);
}

// Over a whole run, 0:00 is reached by exactly one step and nothing changes after it.
void TestExamClock::reachesZeroExactlyOnce() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    const QList<Tick> ticks = tickEvery(clock, wall, at(10, 0, 31), at(11, 30, 0), 1000);
    int zeroSteps = 0;
    for (const Tick &tick : ticks) {
        if (tick.changed && tick.text == QStringLiteral("0:00")) {
            ++zeroSteps;
            QCOMPARE(tick.time, at(11, 20, 0));
        }
    }
    QCOMPARE(zeroSteps, 1);
    QCOMPARE(ticks.last().text, QStringLiteral("0:00"));
    QVERIFY(!ticks.last().changed);
}

// Start in the middle of a run, or after one ran out, begins again at 1:20.
void TestExamClock::restartBeginsAgainAtFullTime() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start();
    tickAt(clock, wall, at(10, 30, 5));
    QCOMPARE(clock.displayText(), QStringLiteral("0:50"));
    clock.start();
    QCOMPARE(clock.displayText(), QStringLiteral("1:20"));
    QCOMPARE(tickAt(clock, wall, at(10, 30, 59)), QStringLiteral("1:20"));
    QCOMPARE(tickAt(clock, wall, at(10, 31, 0)), QStringLiteral("1:19"));

    tickAt(clock, wall, at(13, 0, 0));
    QCOMPARE(clock.displayText(), QStringLiteral("0:00"));
    clock.start();
    QCOMPARE(clock.displayText(), QStringLiteral("1:20"));
    QCOMPARE(tickAt(clock, wall, at(13, 0, 59)), QStringLiteral("1:20"));
}

// A tick that arrives before any Start neither counts nor fails.
void TestExamClock::tickBeforeStartChangesNothing() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    QVERIFY(!clock.minuteStep());
    wall.set(at(10, 5, 0));
    QVERIFY(!clock.minuteStep());
    QCOMPARE(clock.minutes(), 0);
}

void TestExamClock::localOffsetsAndDaylightSaving_data() {
    QTest::addColumn<QTimeZone>("zone");
    QTest::addColumn<QDateTime>("startUtc");
    QTest::newRow("UTC+9") << QTimeZone(9 * 3600) << at(1, 0, 30); // 10:00:30 in Japan
    QTest::newRow("UTC+5:30") << QTimeZone(5 * 3600 + 1800) << at(4, 30, 30);
    QTest::newRow("UTC-3:30") << QTimeZone(-(3 * 3600 + 1800)) << at(13, 30, 30);
    // The clocks go back from 03:00 to 02:00 local time at 01:00 UTC on this day.
    QTest::newRow("autumn change")
        << QTimeZone("Europe/Berlin") << QDateTime(QDate(2026, 10, 25), QTime(0, 30, 30), Qt::UTC);
}

// Full minutes are those of the local time of day, and a daylight-saving change neither stalls
// nor rushes the count.
void TestExamClock::localOffsetsAndDaylightSaving() {
    QFETCH(QTimeZone, zone);
    QFETCH(QDateTime, startUtc);
    if (!zone.isValid())
        QSKIP("time zone data not installed");
    FakeWallClock wall(startUtc.toTimeZone(zone));
    ExamClock clock(wall);
    clock.start();
    int expectedMinutes = 80;
    for (int s = 1; s <= 81 * 60; ++s) {
        const QDateTime t = startUtc.addSecs(s).toTimeZone(zone);
        wall.set(t);
        const bool changed = clock.minuteStep();
        QCOMPARE(changed, t.time().second() == 0 && expectedMinutes > 0);
        if (changed)
            --expectedMinutes;
        QCOMPARE(clock.minutes(), expectedMinutes);
    }
    QCOMPARE(clock.displayText(), QStringLiteral("0:00"));
}

// Extra time counts down from its own length, to 0:00 at its last full minute; a screen reader
// is told the time on passing 10, 5 and 1 minute left and at 0:00, once each, with the time the
// clock shows should it have jumped past several marks, and never in between.
void TestExamClock::extraTimeAndWarnings() {
    FakeWallClock wall(at(10, 0, 30));
    ExamClock clock(wall);
    clock.start(120);
    QCOMPARE(clock.displayText(), QStringLiteral("2:00"));
    QCOMPARE(clock.length(), 120);
    QCOMPARE(tickAt(clock, wall, at(11, 59, 59)), QStringLiteral("0:01"));
    QCOMPARE(tickAt(clock, wall, at(12, 0, 0)), QStringLiteral("0:00"));
    clock.start(104);
    QCOMPARE(clock.displayText(), QStringLiteral("1:44"));

    QStringList heard;
    for (int before = 120, left = 119; left >= 0; before = left--)
        if (const QString w = timeWarning(before, left); !w.isEmpty())
            heard << w;
    QCOMPARE(heard, (QStringList{QStringLiteral("残り10分です"), QStringLiteral("残り5分です"),
                                 QStringLiteral("残り1分です"),
                                 QStringLiteral("試験時間が終了しました")}));
    QCOMPARE(timeWarning(12, 3), QStringLiteral("残り3分です")); // a suspend slept past two marks
    QCOMPARE(timeWarning(80, 80), QString());
    QCOMPARE(timeWarning(11, 10), QStringLiteral("残り10分です"));
    QCOMPARE(timeWarning(10, 9), QString());
    QCOMPARE(timeWarning(3, 0), QStringLiteral("試験時間が終了しました"));
}

QTEST_GUILESS_MAIN(TestExamClock)
#include "tst_examclock.moc"
