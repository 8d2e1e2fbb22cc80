#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QtTest>
#include <set>

#include "app/examclock.h"
#include "review/attemptsmodel.h"
#include "review/pacing.h"
#include "review/pacingview.h"
#include "review/resultsmodel.h"
#include "sheet/marking.h"
#include "sheet/questiongroups.h"

namespace {

// A sheet state without widgets.
class TickGrid : public SheetTicks {
public:
    bool isTicked(int q, int k) const override { return ticks_.count({q, k}) > 0; }
    void tick(int q, std::initializer_list<int> choices) {
        for (int k : choices)
            ticks_.insert({q, k});
    }
    void untick(int q, int k) { ticks_.erase({q, k}); }
    void tickKey(int q) {
        for (int k : AnswerKey().entry(q).correct)
            if (k != 0)
                ticks_.insert({q, k});
    }
    void tickWholeKey() {
        for (int q = 1; q <= AnswerKey::questionCount(); ++q)
            tickKey(q);
    }

private:
    std::set<std::pair<int, int>> ticks_;
};

// Sheets for the review's sums: a few chosen by hand, then random ones from fixed seeds.
TickGrid reviewSheetFor(const QString &name, quint32 seed) {
    TickGrid sheet;
    if (name == QLatin1String("key"))
        sheet.tickWholeKey();
    if (name == QLatin1String("everything"))
        for (const QuestionGroup &group : sheetlayout::groups)
            for (int k = 1; k <= group.choiceCount; ++k)
                sheet.tick(group.number, {k});
    if (name == QLatin1String("mixed")) {
        // Right in sections 1, 4 and 5 and in 6A; three ticks on each item of section 2, one too
        // many on 46, nothing at all in section 3.
        for (int q = 1; q <= 8; ++q)
            sheet.tickKey(q);
        for (int q = 9; q <= 25; ++q)
            sheet.tick(q, {1, 2, 3});
        for (int q = 31; q <= 45; ++q)
            sheet.tickKey(q);
        sheet.tick(46, {3, 5, 10, 1});
    }
    if (seed != 0) {
        // Mostly the key, sometimes a wrong box, sometimes nothing: sheets like a learner's.
        QRandomGenerator random(seed);
        for (const QuestionGroup &group : sheetlayout::groups) {
            const int roll = random.bounded(10);
            if (roll < 5)
                sheet.tickKey(group.number);
            else if (roll < 8)
                sheet.tick(group.number, {random.bounded(1, group.choiceCount + 1)});
            if (roll == 9)
                sheet.tick(group.number, {random.bounded(1, group.choiceCount + 1)});
        }
    }
    return sheet;
}

} // namespace

class TestMarking : public QObject {
    Q_OBJECT

private slots:
    // The key and the sheet describe the same 46 groups: same order, same choice counts, and
    // every correct choice is a box that exists.
    void keyFitsSheet() {
        QCOMPARE(AnswerKey::questionCount(), int(sheetlayout::groups.size()));
        for (const KeyEntry &entry : designKey) {
            const QuestionGroup &group = sheetlayout::group(entry.question);
            QCOMPARE(entry.question, group.number);
            QCOMPARE(entry.choiceCount, group.choiceCount);
            QVERIFY(entry.points >= 2 && entry.points <= 15);
            int answers = 0;
            for (int k : entry.correct) {
                if (k == 0)
                    continue;
                QVERIFY(k >= 1 && k <= entry.choiceCount);
                ++answers;
            }
            const int expected =
                entry.question == 46 ? 3 : (entry.question >= 23 && entry.question <= 25 ? 2 : 1);
            QCOMPARE(answers, expected);
        }
    }

    // The key's answers score full marks, and each section adds up to the points its heading
    // states.
    void fullKeyScores200BySection() {
        TickGrid sheet;
        sheet.tickWholeKey();
        const MarkingResult result = markSheet(sheet, AnswerKey());
        QCOMPARE(result.total, 200);
        int sections[7] = {};
        for (int q = 1; q <= 46; ++q) {
            QVERIFY(result.isCorrect(q));
            sections[sheetlayout::group(q).label.front() - '0'] += result.pointsFor(q);
        }
        QCOMPARE(QList<int>(sections + 1, sections + 7), (QList<int>{20, 40, 30, 35, 30, 45}));
    }

    // Empty sheets and sheets with every box ticked earn nothing.
    void emptyAndFullSheetsScoreZero() {
        TickGrid empty;
        QCOMPARE(markSheet(empty, AnswerKey()).total, 0);

        TickGrid everything;
        for (const QuestionGroup &group : sheetlayout::groups)
            for (int k = 1; k <= group.choiceCount; ++k)
                everything.tick(group.number, {k});
        const MarkingResult result = markSheet(everything, AnswerKey());
        QCOMPARE(result.total, 0);
        for (int q = 1; q <= 46; ++q)
            QVERIFY(!result.isCorrect(q));
    }

    void exactSetMatching_data() {
        QTest::addColumn<int>("question");
        QTest::addColumn<QList<int>>("ticks");
        QTest::addColumn<int>("points");

        QTest::newRow("1: key alone") << 1 << QList<int>{1} << 2;
        QTest::newRow("1: key and one more") << 1 << QList<int>{1, 2} << 0;
        QTest::newRow("1: wrong choice") << 1 << QList<int>{2} << 0;
        QTest::newRow("23: one of two") << 23 << QList<int>{2} << 0;
        QTest::newRow("23: both") << 23 << QList<int>{4, 2} << 4;
        QTest::newRow("23: both and a third") << 23 << QList<int>{2, 4, 5} << 0;
        QTest::newRow("25: first two boxes") << 25 << QList<int>{1, 2} << 4;
        QTest::newRow("46: all three") << 46 << QList<int>{10, 3, 5} << 15;
        QTest::newRow("46: two of three") << 46 << QList<int>{3, 5} << 0;
        QTest::newRow("46: three and one more") << 46 << QList<int>{3, 5, 10, 1} << 0;
        QTest::newRow("46: box 10 alone") << 46 << QList<int>{10} << 0;
        QTest::newRow("38: last of six boxes") << 38 << QList<int>{6} << 6;
    }

    // A question is correct exactly when its ticked boxes are the key's set; nothing else on the
    // sheet affects it.
    void exactSetMatching() {
        QFETCH(int, question);
        QFETCH(QList<int>, ticks);
        QFETCH(int, points);

        TickGrid sheet;
        sheet.tickWholeKey();
        for (int k = 1; k <= AnswerKey().entry(question).choiceCount; ++k)
            sheet.untick(question, k);
        for (int k : ticks)
            sheet.tick(question, {k});
        const MarkingResult result = markSheet(sheet, AnswerKey());
        QCOMPARE(result.pointsFor(question), points);
        QCOMPARE(result.total, 200 - AnswerKey().entry(question).points + points);
    }

    // Marking reads the sheet and nothing else: the same ticks give the same result twice.
    void markingIsRepeatable() {
        TickGrid sheet;
        sheet.tick(5, {2});
        sheet.tick(46, {3, 5, 10});
        const MarkingResult first = markSheet(sheet, AnswerKey());
        const MarkingResult second = markSheet(sheet, AnswerKey());
        QCOMPARE(first.total, 18);
        QCOMPARE(second.total, first.total);
        QVERIFY(first.points == second.points);
    }

    void reviewAddsUp_data() {
        QTest::addColumn<QString>("sheet");
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<int>("total"); // -1: whatever markSheet says
        QTest::newRow("empty") << QString() << 0u << 0;
        QTest::newRow("key") << QStringLiteral("key") << 0u << 200;
        QTest::newRow("everything") << QStringLiteral("everything") << 0u << 0;
        QTest::newRow("mixed") << QStringLiteral("mixed") << 0u << 20 + 35 + 30 + 30;
        for (quint32 seed = 1; seed <= 40; ++seed)
            QTest::addRow("random %u", seed) << QString() << seed << -1;
    }

    // The review agrees with markSheet: the items' points and the sections' subtotals both add
    // up to its total; an item earns all its points or none; only an item with no tick is
    // unanswered; the ticks it reports are the sheet's.
    void reviewAddsUp() {
        QFETCH(QString, sheet);
        QFETCH(quint32, seed);
        QFETCH(int, total);
        const TickGrid ticks = reviewSheetFor(sheet, seed);
        const MarkingResult marked = markSheet(ticks, AnswerKey());
        const MarkingReview review = reviewSheet(ticks, AnswerKey());
        if (total >= 0)
            QCOMPARE(marked.total, total);
        QCOMPARE(review.total, marked.total);

        int itemSum = 0, correct = 0, wrong = 0, unanswered = 0;
        for (int q = 1; q <= 46; ++q) {
            const ItemOutcome &item = review.item(q);
            QCOMPARE(item.question, q);
            QCOMPARE(item.possible, AnswerKey().entry(q).points);
            QVERIFY(item.earned <= item.possible);
            QCOMPARE(item.earned, marked.pointsFor(q));
            bool anyTick = false;
            for (int k = 1; k <= sheetlayout::maxChoices; ++k) {
                const bool ticked = k <= AnswerKey().entry(q).choiceCount && ticks.isTicked(q, k);
                QCOMPARE(item.isTicked(k), ticked);
                anyTick = anyTick || ticked;
            }
            QCOMPARE(item.kind == ItemOutcome::Kind::Unanswered, !anyTick);
            QCOMPARE(item.kind == ItemOutcome::Kind::Correct, marked.isCorrect(q));
            itemSum += item.earned;
            correct += item.kind == ItemOutcome::Kind::Correct;
            wrong += item.kind == ItemOutcome::Kind::Wrong;
            unanswered += item.kind == ItemOutcome::Kind::Unanswered;
        }
        QCOMPARE(itemSum, review.total);
        QCOMPARE(QList<int>({review.correctCount, review.wrongCount, review.unansweredCount}),
                 QList<int>({correct, wrong, unanswered}));

        int sectionSum = 0, firstQuestion = 1;
        const QList<int> possible{20, 40, 30, 35, 30, 45};
        for (int s = 1; s <= sectionCount; ++s) {
            const SectionSubtotal &section = review.sections[static_cast<std::size_t>(s - 1)];
            QCOMPARE(section.section, s);
            QCOMPARE(section.firstQuestion, firstQuestion);
            QCOMPARE(section.possible, possible[s - 1]);
            QVERIFY(section.earned <= section.possible);
            int earned = 0;
            for (int q = section.firstQuestion; q <= section.lastQuestion; ++q) {
                QCOMPARE(sectionOf(q), s);
                earned += review.item(q).earned;
            }
            QCOMPARE(section.earned, earned);
            sectionSum += section.earned;
            firstQuestion = section.lastQuestion + 1;
        }
        QCOMPARE(firstQuestion, 47);
        QCOMPARE(sectionSum, review.total);
    }

    // The results model, without a view: sections as parents with their subtotals, the items in
    // paper order under them, each row saying what a screen reader speaks; the key's column
    // stays empty until asked for. Qt's model tester checks the tree's consistency throughout.
    void resultsModel() {
        ResultsModel model;
        QAbstractItemModelTester tester(&model,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        model.setReview(reviewSheet(reviewSheetFor(QStringLiteral("mixed"), 0), AnswerKey()));

        QCOMPARE(model.rowCount(), 6);
        auto cell = [&](int section, int row, int column, int role = Qt::DisplayRole) {
            const QModelIndex parent = model.index(section - 1, 0);
            return (row < 0 ? model.index(section - 1, column) : model.index(row, column, parent))
                .data(role)
                .toString();
        };
        QCOMPARE(cell(1, -1, ResultsModel::LabelColumn), QStringLiteral("第１問"));
        QCOMPARE(cell(1, -1, ResultsModel::PointsColumn), QStringLiteral("20/20"));
        QCOMPARE(cell(2, -1, ResultsModel::PointsColumn), QStringLiteral("0/40"));
        QCOMPARE(cell(6, -1, ResultsModel::LabelColumn, Qt::AccessibleTextRole),
                 QStringLiteral("第６問 30/45点"));
        int q = 0;
        for (int s = 1; s <= 6; ++s) {
            const QModelIndex section = model.index(s - 1, 0);
            for (int row = 0; row < model.rowCount(section); ++row) {
                ++q;
                QCOMPARE(model.index(row, 0, section).data(ResultsModel::QuestionRole).toInt(), q);
                QCOMPARE(cell(s, row, ResultsModel::LabelColumn),
                         QString::fromUtf8(sheetlayout::group(q).label.data(),
                                           qsizetype(sheetlayout::group(q).label.size())));
            }
        }
        QCOMPARE(q, 46);

        QCOMPARE(cell(1, 0, ResultsModel::LabelColumn, Qt::AccessibleTextRole),
                 QStringLiteral("1A-問1 ① 正解 2/2点"));
        QCOMPARE(cell(2, 0, ResultsModel::VerdictColumn), QStringLiteral("×"));
        QCOMPARE(cell(3, 0, ResultsModel::GivenColumn), QStringLiteral("－"));
        QCOMPARE(cell(3, 0, ResultsModel::LabelColumn, Qt::AccessibleTextRole),
                 QStringLiteral("3A-(29) － 無解答 0/5点"));
        // Group 46 lists its ticks in ascending order, whatever order they were ticked in.
        QCOMPARE(cell(6, 5, ResultsModel::GivenColumn), QStringLiteral("①③⑤⑩"));
        QCOMPARE(cell(6, 5, ResultsModel::VerdictColumn), QStringLiteral("×"));
        QCOMPARE(cell(6, 5, ResultsModel::KeyColumn), QString());
        model.setKeyShown(true);
        QCOMPARE(cell(6, 5, ResultsModel::KeyColumn), QStringLiteral("③⑤⑩"));
        QCOMPARE(cell(2, 0, ResultsModel::KeyColumn), QStringLiteral("②"));
        QCOMPARE(cell(6, 5, ResultsModel::LabelColumn, Qt::AccessibleTextRole),
                 QStringLiteral("6B-(49) ①③⑤⑩ 不正解 0/15点 正解 ③⑤⑩"));
    }

    // Across the attempts of a run: what to try again, how each item moved since the attempt
    // before, how the marked items came out; and the two lists that show them.
    void attemptsOfARun() {
        const AnswerKey key;
        TickGrid mixed = reviewSheetFor(QStringLiteral("mixed"), 0);
        const MarkingReview first = reviewSheet(mixed, key);

        // Section 2 is all wrong, section 3 unanswered and 46 has a tick too many.
        std::vector<int> expected;
        for (int q = 9; q <= 30; ++q)
            expected.push_back(q);
        expected.push_back(46);
        QCOMPARE(itemsToRetry(first), expected);
        TickGrid key200;
        key200.tickWholeKey();
        QVERIFY(itemsToRetry(reviewSheet(key200, key)).empty());
        QCOMPARE(itemsToRetry(reviewSheet(TickGrid(), key)).size(), std::size_t(46));

        // Put 9 and 46 right, break 1 and leave 30 unanswered.
        TickGrid second = mixed;
        for (int k : {1, 2, 3})
            second.untick(9, k);
        second.tickKey(9);
        second.untick(46, 1);
        second.tick(1, {2});
        const MarkingReview after = reviewSheet(second, key);
        const ItemChanges changes = changesBetween(first, after);
        for (int q = 1; q <= 46; ++q) {
            const ItemChange want = q == 9 || q == 46 ? ItemChange::Gained
                                    : q == 1          ? ItemChange::Lost
                                                      : ItemChange::Same;
            QCOMPARE(changes[std::size_t(q - 1)], want);
        }

        AttemptLog log;
        ItemFlags flagged;
        flagged.set(0).set(8).set(29); // 1, 9 and 30
        log.add({first, flagged, QDateTime(QDate(2026, 12, 8), QTime(10, 5)), 35, std::nullopt});
        QVERIFY(log.latestChanges() == ItemChanges{});
        log.add({after, flagged, QDateTime(QDate(2026, 12, 8), QTime(10, 42)), std::nullopt,
                 std::nullopt});
        QVERIFY(log.latestChanges() == changes);
        FlaggedOutcome outcome = flaggedOutcome(log.at(1));
        QCOMPARE(outcome.right, std::vector<int>{1});
        QCOMPARE(outcome.wrong, (std::vector<int>{9, 30}));
        outcome = flaggedOutcome(log.latest());
        QCOMPARE(outcome.right, std::vector<int>{9});
        QCOMPARE(outcome.wrong, (std::vector<int>{1, 30}));

        ResultsModel results;
        results.setReview(after, changes, flagged);
        auto item = [&](int section, int row, int column, int role = Qt::DisplayRole) {
            return results.index(row, column, results.index(section - 1, 0)).data(role).toString();
        };
        QCOMPARE(item(1, 0, ResultsModel::ChangeColumn), QStringLiteral("○→×"));
        QCOMPARE(item(2, 0, ResultsModel::ChangeColumn), QStringLiteral("×→○"));
        QCOMPARE(item(2, 1, ResultsModel::ChangeColumn), QString());
        QCOMPARE(item(1, 0, ResultsModel::FlagColumn), QStringLiteral("★"));
        QCOMPARE(item(1, 1, ResultsModel::FlagColumn), QString());
        QCOMPARE(item(1, 0, ResultsModel::LabelColumn, Qt::AccessibleTextRole),
                 QStringLiteral("1A-問1 ①② 不正解 0/2点 前回は正解 見直し"));
        QCOMPARE(item(6, 5, ResultsModel::LabelColumn, Qt::AccessibleTextRole),
                 QStringLiteral("6B-(49) ③⑤⑩ 正解 15/15点 前回は不正解"));

        AttemptsModel attempts;
        QAbstractItemModelTester tester(&attempts,
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        attempts.setAttempts(log);
        QCOMPARE(attempts.rowCount(), 2);
        QCOMPARE(attempts.columnCount(), 10);
        auto cell = [&](int row, int column, int role = Qt::DisplayRole) {
            return attempts.index(row, column).data(role).toString();
        };
        QCOMPARE(attempts.headerData(AttemptsModel::FirstSectionColumn + 5, Qt::Horizontal),
                 QStringLiteral("第６問"));
        QCOMPARE(cell(1, AttemptsModel::TimeColumn), QStringLiteral("10:42"));
        QCOMPARE(cell(0, AttemptsModel::MinutesColumn), QStringLiteral("0:35"));
        QCOMPARE(cell(1, AttemptsModel::MinutesColumn), QStringLiteral("－"));
        QCOMPARE(cell(0, AttemptsModel::TotalColumn), QString::number(first.total));
        QCOMPARE(cell(1, AttemptsModel::FirstSectionColumn + 5),
                 QString::number(after.sections[5].earned));
        QCOMPARE(
            cell(0, AttemptsModel::NumberColumn, Qt::AccessibleTextRole),
            QStringLiteral("1回目 時刻 10:05 時間 0:35 合計 115点 第１問 20/20点 第２問 0/40点 "
                           "第３問 0/30点 第４問 35/35点 第５問 30/30点 第６問 30/45点"));
        QCOMPARE(AttemptsModel::minutesText(104), QStringLiteral("1:44"));
    }

    // Made-up samples of an exam: each section is credited with the time until the reader moved
    // on, the last one until the end; an item's first answer and last change are kept, an item
    // unticked again keeps its first answer; the plans are read only when they add up.
    void pacingOfAnExam() {
        PacingLog log;
        std::array<std::uint16_t, 47> sheet{}; // by question number
        sheet[46] = 0b100;                     // ticked before Start: not answered during the exam
        log.start(80, [&](int q) { return sheet[q]; });
        auto at = [&](double minutes, int section) {
            log.sample(qint64(minutes * 60000), section, [&](int q) { return sheet[q]; });
        };
        at(0, 1);
        sheet[1] = 0b1;
        at(3, 1); // 1A-問1 answered at 3 minutes
        at(10.5, 2);
        sheet[9] = 0b10;
        at(20, 6); // on to 第６問 at 20; 2A-問1 answered
        sheet[9] = 0b100;
        at(25, 6); // changed at 25
        sheet[1] = 0;
        at(30, 4);
        at(31, 4);
        const PacingRecord record = log.finish(qint64(50 * 60000));
        QCOMPARE(record.lengthMinutes, 80);
        QCOMPARE(record.sectionMinutes[0], 10.5);
        QCOMPARE(record.sectionMinutes[1], 9.5);
        QCOMPARE(record.sectionMinutes[5], 10.0);
        QCOMPARE(record.sectionMinutes[3], 20.0);
        QCOMPARE(record.sectionMinutes[2], 0.0);
        QCOMPARE(*record.items[0].firstAnswered, qint64(3 * 60000));
        QCOMPARE(*record.items[0].lastChanged, qint64(30 * 60000));
        QCOMPARE(*record.items[8].firstAnswered, qint64(20 * 60000));
        QCOMPARE(*record.items[8].lastChanged, qint64(25 * 60000));
        QVERIFY(!record.items[1].firstAnswered && !record.items[1].lastChanged);
        QVERIFY(!record.items[45].firstAnswered && !record.items[45].lastChanged);
        // Nothing before the first sample; a new start forgets the last exam.
        log.start(120, [](int) { return std::uint16_t(0); });
        QCOMPARE(log.finish(60000).sectionMinutes[0], 0.0);
        QVERIFY(!log.finish(60000).items[0].firstAnswered);

        const auto plans = readPacingPlans("# a comment\n80: 8 15 12 12 12 16 5\n"
                                           "104: 1 1 1 1 1 1 1\n120 12 22 18 18 18 24 8\n");
        QCOMPARE(plans.size(), std::size_t(1));
        QCOMPARE(plans.at(80).sectionMinutes[5], 16);
        QCOMPARE(plans.at(80).checkMinutes, 5);
        for (int length : ExamClock::lengths)
            QVERIFY2(builtInPacingPlan(length), qPrintable(QString::number(length)));
        QVERIFY(!builtInPacingPlan(90));

        QCOMPARE(PacingView::describeBars(record, plans.at(80)),
                 QStringLiteral(
                     "第１問 11分（計画 8分）、第２問 10分（計画 15分）、第３問 0分（計画 12分）、"
                     "第４問 20分（計画 12分）、第５問 0分（計画 12分）、第６問 10分（計画 16分）、"
                     "見直し 計画5分"));
        QVERIFY(PacingView::describeTimeline(record).startsWith(QStringLiteral(
            "解答した時刻：1A-問1 3分（最後の変更 30分）、2A-問1 20分（最後の変更 25分）、"
            "無解答 44問")));
    }
};

QTEST_APPLESS_MAIN(TestMarking)
#include "tst_marking.moc"
