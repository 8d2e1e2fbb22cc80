#include <QtTest>
#include <set>

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
        for (int k : AnswerKey::entry(q).correct)
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

} // namespace

class TestMarking : public QObject {
    Q_OBJECT

private slots:
    // The key and the sheet describe the same 46 groups: same order, same choice counts, and
    // every correct choice is a box that exists.
    void keyFitsSheet() {
        QCOMPARE(AnswerKey::questionCount(), int(sheetlayout::groups.size()));
        for (const KeyEntry &entry : AnswerKey::entries) {
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
        for (int k = 1; k <= AnswerKey::entry(question).choiceCount; ++k)
            sheet.untick(question, k);
        for (int k : ticks)
            sheet.tick(question, {k});
        const MarkingResult result = markSheet(sheet, AnswerKey());
        QCOMPARE(result.pointsFor(question), points);
        QCOMPARE(result.total, 200 - AnswerKey::entry(question).points + points);
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
};

QTEST_APPLESS_MAIN(TestMarking)
#include "tst_marking.moc"
