#include "rtf/rtfreader.h"
#include "toolkit/fonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

constexpr QChar kBlank = u'\u3000';

struct Entry {
    QString university;
    QString faculty;
    QString passingLine;          // as written, full-width
    QStringList lines;            // the five subject lines as read
    QStringList areas;            // the subject area that starts each of them
    QList<qsizetype> fieldCounts; // fields after the area on each line
};

// "８０．３％" -> 80.3
double percentValue(const QString &text) {
    QString ascii;
    for (QChar c : text) {
        if (c == u'％')
            break;
        ascii += c.unicode() >= 0xff01 && c.unicode() <= 0xff5e ? QChar(c.unicode() - 0xfee0) : c;
    }
    bool ok = false;
    const double value = ascii.toDouble(&ok);
    return ok ? value : -1.0;
}

} // namespace

class TestPassingLines : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void entriesFollowTheTable();
    void fixedFiguresStand();
    void columnsLineUpOnScreen();

private:
    QStringList lines;
    QList<Entry> entries;
};

void TestPassingLines::initTestCase() {
    installFontSubstitutions();
    QFile file(QStringLiteral(":/content/passing_lines.rtf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QTextDocument document;
    readRtf(file.readAll(), &document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        lines.append(block.text());
        // One font, one size throughout, as the verdict windows expect.
        for (auto run = block.begin(); !run.atEnd(); ++run) {
            const QTextCharFormat format = run.fragment().charFormat();
            QCOMPARE(format.fontFamilies().toStringList().value(0), kDesignFontFamily);
            QCOMPARE(format.fontPointSize(), 9.0);
        }
    }

    QString university;
    for (qsizetype i = 1; i < lines.size() && !lines[i].isEmpty(); i += 6) {
        QStringList fields = lines[i].split(kBlank, Qt::SkipEmptyParts);
        if (!lines[i].startsWith(kBlank))
            university = fields.takeFirst();
        QCOMPARE(fields.size(), 4); // faculty, area, subjects, passing line
        Entry entry{university, fields[0], fields[3], lines.mid(i, 5), {}, {}};
        for (qsizetype j = 0; j < entry.lines.size(); ++j) {
            fields = entry.lines[j].split(kBlank, Qt::SkipEmptyParts);
            if (j == 0)
                fields = fields.mid(fields.size() - 3, 2); // area and subjects
            entry.areas.append(fields.value(0));
            entry.fieldCounts.append(fields.size() - 1);
        }
        entries.append(entry);
    }
}

// 21 entries, universities and faculties in order, five subject lines each and a blank after.
void TestPassingLines::entriesFollowTheTable() {
    QVERIFY(lines.size() > 120);
    QCOMPARE(lines[0].split(kBlank, Qt::SkipEmptyParts),
             QStringList({"旧帝国大学", "学部名", "受験科目", "合格ライン（１科目平均）"}));
    const QStringList universities{"北海道", "東北", "東京", "名古屋", "京都", "大阪", "九州"};
    const QStringList faculties{"法", "工", "医"};
    QCOMPARE(entries.size(), 21);
    for (qsizetype e = 0; e < entries.size(); ++e) {
        const Entry &entry = entries[e];
        QCOMPARE(entry.university, universities[e / 3]);
        QCOMPARE(entry.faculty, faculties[e % 3]);
        // The name stands only on the first faculty's entry.
        QCOMPARE(entry.lines[0].startsWith(kBlank), e % 3 != 0);
        QCOMPARE(lines.value(1 + e * 6 + 5, QStringLiteral("missing")), QString());
        QCOMPARE(entry.areas[0], u"国");
        QVERIFY(entry.areas[1] == u"地歴" || entry.areas[1] == u"地歴・公民");
        QCOMPARE(entry.areas.mid(2), QStringList({"数", "理", "外"}));
        // Every area names its subjects, in one field, except the foreign language.
        QCOMPARE(entry.fieldCounts, QList<qsizetype>({1, 1, 1, 1, 0}));
    }
}

// The figures the verdicts quote stand, and every other line lies strictly between the extremes.
void TestPassingLines::fixedFiguresStand() {
    QCOMPARE(entries.size(), 21);
    const auto line = [&](int university, int faculty) {
        return entries[university * 3 + faculty].passingLine;
    };
    QCOMPARE(line(0, 0), u"８０．３％");
    QCOMPARE(line(2, 0), u"９２．１％");
    QCOMPARE(line(2, 1), u"９２．５％");
    QCOMPARE(line(2, 2), u"９６．０％");
    for (qsizetype e = 0; e < entries.size(); ++e) {
        const QString &text = entries[e].passingLine;
        QCOMPARE(text.size(), 5); // two digits, point, one decimal, percent
        const double value = percentValue(text);
        if (e == 0 || e == 8)
            continue;
        QVERIFY2(value > 80.3 && value < 96.0, qPrintable(text));
    }
}

// In the design font, each column starts at the same pixel on every line that has it.
void TestPassingLines::columnsLineUpOnScreen() {
    const QFont font = designFont(9);
    const QFontMetricsF metrics(font);
    // The alignment below only means something in a font whose half-width glyphs are half wide.
    QCOMPARE(metrics.horizontalAdvance(QStringLiteral("あ")),
             2 * metrics.horizontalAdvance(QStringLiteral("a")));
    // It is asked for by the name it is installed under, so it loads at the first try.
    QVERIFY(QFontDatabase::families().contains(font.family()));
    QCOMPARE(QFontInfo(font).family(), font.family());

    const auto startOf = [&](const QString &line, const QString &field) {
        const qsizetype at = line.indexOf(field);
        return at < 0 ? -1.0 : metrics.horizontalAdvance(line.left(at));
    };
    const double passingColumn = startOf(lines[0], QStringLiteral("合格ライン"));
    const double subjectColumn = startOf(lines[0], QStringLiteral("受験科目"));
    QVERIFY(passingColumn > subjectColumn && subjectColumn > 0);
    for (const Entry &entry : entries) {
        QCOMPARE(startOf(entry.lines[0], entry.passingLine), passingColumn);
        for (qsizetype j = 0; j < entry.lines.size(); ++j)
            QCOMPARE(startOf(entry.lines[j], entry.areas[j]), subjectColumn);
    }
}

QTEST_MAIN(TestPassingLines)
#include "tst_passinglines.moc"
