#include <QtTest>

#include <numeric>
#include <set>

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>

#include "app/papers.h"
#include "review/answerbook.h"
#include "rtf/rtfreader.h"
#include "sheet/answerkey.h"
#include "sheet/questiongroups.h"
#include "toolkit/latecontent.h"

// Every built-in paper read back through the program's own RTF reader, checked against the answer
// sheet's groups and its key: if a paper and the sheet drift apart, a player answers questions
// that are not there.

namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';

int circledValue(QChar c) {
    const int v = c.unicode() - 0x2460 + 1; // ① … ⑩
    return (v >= 1 && v <= 10) ? v : 0;
}

// What a sheet label says: "1A-問1" is section 1, part A, item 1; "3A-(29)" is answer number 29.
struct Label {
    int section = 0;
    QChar part;
    int item = 0;   // 問N, or 0
    int number = 0; // (N), or 0
};

Label parseLabel(std::string_view utf8) {
    const QString text = QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
    Label l;
    l.section = text.at(0).digitValue();
    l.part = text.at(1);
    const QString tail = text.mid(3);
    if (tail.startsWith(u'問'))
        l.item = tail.mid(1).toInt();
    else
        l.number = tail.mid(1, tail.size() - 2).toInt();
    return l;
}

int keyAnswers(const AnswerKey &key, int q) {
    const auto &c = key.entry(q).correct;
    return int(std::count_if(c.begin(), c.end(), [](int k) { return k != 0; }));
}

// Digits of either width, as the paper writes both.
int parseNumber(const QString &digits) {
    int n = 0;
    for (QChar c : digits)
        n = n * 10 + c.digitValue();
    return n;
}

const QRegularExpression kAnswerNumber(QStringLiteral("[(（]([0-9０-９]+)[)）]"));

struct Part {
    int section = 0;
    QChar letter;
    int first = 0; // heading paragraph
    int end = 0;   // one past the last paragraph
    std::vector<int> groups;
};

class Paper {
public:
    explicit Paper(const char *path) {
        registerLateContent();
        QFile file(QString::fromLatin1(path));
        if (file.open(QIODevice::ReadOnly))
            readRtf(file.readAll(), &document);
        for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
            blocks.push_back(b);
        // The reader may end the document with an empty paragraph of its own.
        while (!blocks.empty() && blocks.back().text().isEmpty())
            blocks.pop_back();
    }

    QString text(int i) const { return blocks[std::size_t(i)].text(); }
    int count() const { return int(blocks.size()); }

    // Section headings: paragraph index per section number, in document order.
    std::vector<std::pair<int, int>> sections() const {
        static const QRegularExpression heading(QStringLiteral("^第([０-９])問"));
        std::vector<std::pair<int, int>> found;
        for (int i = 0; i < count(); ++i)
            if (const auto m = heading.match(text(i)); m.hasMatch())
                found.push_back({m.captured(1).at(0).digitValue(), i});
        return found;
    }

    std::vector<Part> parts() const {
        std::vector<Part> found;
        int section = 0;
        for (int i = 0; i < count(); ++i) {
            const QString t = text(i);
            if (t.startsWith(u'第') && t.size() > 2 && t.at(2) == u'問') {
                if (!found.empty() && found.back().end == 0)
                    found.back().end = i;
                section = t.at(1).digitValue();
            } else if (t.size() > 1 && QStringLiteral("ABC").contains(t.at(0)) &&
                       t.at(1) == kIdeographicSpace) {
                if (!found.empty() && found.back().end == 0)
                    found.back().end = i;
                found.push_back({section, t.at(0), i, 0, {}});
            }
        }
        if (!found.empty() && found.back().end == 0)
            found.back().end = count();
        for (const QuestionGroup &g : sheetlayout::groups) {
            const Label l = parseLabel(g.label);
            for (Part &p : found)
                if (p.section == l.section && p.letter == l.part)
                    p.groups.push_back(g.number);
        }
        return found;
    }

    // The circled digits that start a choice: at the start of a paragraph, or after the
    // ideographic space that separates short choices on one line.
    std::vector<int> choiceNumbers(int from, int to) const {
        std::vector<int> found;
        for (int i = from; i < to; ++i) {
            const QString t = text(i);
            for (int c = 0; c < t.size(); ++c)
                if (circledValue(t.at(c)) && (c == 0 || t.at(c - 1) == kIdeographicSpace))
                    found.push_back(circledValue(t.at(c)));
        }
        return found;
    }

    QTextCharFormat formatAt(int i, int offset) const {
        const QTextBlock &b = blocks[std::size_t(i)];
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int start = f.position() - b.position();
            if (offset >= start && offset < start + f.length())
                return f.charFormat();
        }
        return {};
    }

    QTextDocument document;
    std::vector<QTextBlock> blocks;
};

// Answer numbers as the sheet counts them: one per blank, so one for most questions, two for
// a word-order item and three for the last one. Section 1 uses numbers but does not print them.
std::map<int, std::vector<int>> answerNumbers(const AnswerKey &key) {
    std::map<int, std::vector<int>> numbers;
    int next = 1;
    for (const KeyEntry &e : key.entries())
        for (int k = 0; k < keyAnswers(key, e.question); ++k)
            numbers[e.question].push_back(next++);
    return numbers;
}

} // namespace

class TestExamPaper : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        for (const BuiltInPaper &built : builtInPapers()) {
            papers.push_back(std::make_unique<Paper>(built.documents.document));
            QVERIFY2(papers.back()->count() > 200,
                     qPrintable(QString::fromUtf8(built.title) + ": did not read back"));
        }
    }

    // Six section headings in order, each stating the points its questions are worth, and
    // sections 5 and 6 writing them in full-width digits as the printed paper does.
    void sectionsStateTheirPoints_data() { eachPaper(); }
    void sectionsStateTheirPoints() {
        QFETCH(int, index);
        const Paper &paper = *papers[std::size_t(index)];
        const AnswerKey key(*builtInPapers()[std::size_t(index)].key);
        Q_UNUSED(paper);
        Q_UNUSED(key);
        const auto sections = paper.sections();
        QCOMPARE(int(sections.size()), 6);
        int total = 0;
        for (int s = 1; s <= 6; ++s) {
            QCOMPARE(sections[std::size_t(s - 1)].first, s);
            int points = 0;
            for (const QuestionGroup &g : sheetlayout::groups)
                if (parseLabel(g.label).section == s)
                    points += key.entry(g.number).points;
            const QString t = paper.text(sections[std::size_t(s - 1)].second);
            static const QRegularExpression stated(QStringLiteral("（配点([0-9０-９]+)）$"));
            const auto m = stated.match(t);
            QVERIFY2(m.hasMatch(), qPrintable(t));
            QCOMPARE(parseNumber(m.captured(1)), points);
            const bool fullWidth = m.captured(1).at(0).unicode() >= 0xff10;
            QCOMPARE(fullWidth, s >= 5);
            total += points;
        }
        QCOMPARE(total, 200);
    }

    // The parts follow the sheet's label prefixes one for one, inside the right sections.
    void partsMatchTheSheet_data() { eachPaper(); }
    void partsMatchTheSheet() {
        QFETCH(int, index);
        const Paper &paper = *papers[std::size_t(index)];
        const AnswerKey key(*builtInPapers()[std::size_t(index)].key);
        Q_UNUSED(paper);
        Q_UNUSED(key);
        QStringList expected;
        for (const QuestionGroup &g : sheetlayout::groups) {
            const QString prefix = QString::fromUtf8(g.label.data(), 2);
            if (!expected.contains(prefix))
                expected << prefix;
        }
        QStringList found;
        for (const Part &p : paper.parts())
            found << QString::number(p.section) + p.letter;
        QCOMPARE(found, expected);
    }

    // Each part heads its items 問１, 問２ … as the sheet's tabs count them, and shows exactly
    // its own answer numbers, always in red, the items' ones in ascending order.
    void itemsAndBlanksInOrder_data() { eachPaper(); }
    void itemsAndBlanksInOrder() {
        QFETCH(int, index);
        const Paper &paper = *papers[std::size_t(index)];
        const AnswerKey key(*builtInPapers()[std::size_t(index)].key);
        Q_UNUSED(paper);
        Q_UNUSED(key);
        const auto numbers = answerNumbers(key);
        static const QRegularExpression item(QStringLiteral("^問([０-９]+)(　|$)"));
        for (const Part &p : paper.parts()) {
            const QString where = QString::number(p.section) + p.letter;
            std::vector<int> expectedItems;
            std::set<int> expectedNumbers;
            for (int q : p.groups) {
                const Label l = parseLabel(sheetlayout::groups[std::size_t(q - 1)].label);
                if (l.item)
                    expectedItems.push_back(l.item);
                if (l.number)
                    QCOMPARE(l.number, numbers.at(q).front());
                if (p.section != 1)
                    expectedNumbers.insert(numbers.at(q).begin(), numbers.at(q).end());
            }
            std::vector<int> items, firstInBody;
            std::set<int> shown;
            for (int i = p.first; i < p.end; ++i) {
                const QString t = paper.text(i);
                if (const auto m = item.match(t); m.hasMatch() && i > p.first)
                    items.push_back(parseNumber(m.captured(1)));
                if (p.section == 1)
                    continue; // its (1) … (4) mark places in a dialogue, not answers
                for (auto it = kAnswerNumber.globalMatch(t); it.hasNext();) {
                    const auto m = it.next();
                    const int n = parseNumber(m.captured(1));
                    shown.insert(n);
                    if (i > p.first &&
                        std::find(firstInBody.begin(), firstInBody.end(), n) == firstInBody.end())
                        firstInBody.push_back(n);
                    const QTextCharFormat f = paper.formatAt(i, int(m.capturedStart()));
                    QVERIFY2(f.foreground().color() == QColor(255, 0, 0),
                             qPrintable(where + QStringLiteral(": not red: ") + m.captured()));
                }
            }
            QVERIFY2(items == expectedItems, qPrintable(where));
            QVERIFY2(shown == expectedNumbers, qPrintable(where));
            QVERIFY2(std::is_sorted(firstInBody.begin(), firstInBody.end()), qPrintable(where));
        }
    }

    // Every item offers exactly the choices its group has boxes for, numbered ① up without a
    // gap, and the part's instruction names the same range.
    void choicesMatchTheBoxes_data() { eachPaper(); }
    void choicesMatchTheBoxes() {
        QFETCH(int, index);
        const Paper &paper = *papers[std::size_t(index)];
        const AnswerKey key(*builtInPapers()[std::size_t(index)].key);
        Q_UNUSED(paper);
        Q_UNUSED(key);
        const auto numbers = answerNumbers(key);
        static const QRegularExpression item(QStringLiteral("^問[０-９]+(　|$)"));
        static const QRegularExpression range(QStringLiteral("①～([①-⑩])"));
        for (const Part &p : paper.parts()) {
            const QString where = QString::number(p.section) + p.letter;
            const int n = sheetlayout::groups[std::size_t(p.groups.front() - 1)].choiceCount;
            const auto m = range.match(paper.text(p.first));
            QVERIFY2(m.hasMatch(), qPrintable(where));
            QCOMPARE(circledValue(m.captured(1).at(0)), n);

            // Where each group's own item starts: its 問 heading, or the paragraph led by its
            // answer number when the part has several numbered items.
            std::vector<int> starts;
            for (std::size_t g = 0; g < p.groups.size(); ++g) {
                const int number = numbers.at(p.groups[g]).front();
                for (int i = (starts.empty() ? p.first : starts.back()) + 1; i < p.end; ++i) {
                    const QString t = paper.text(i);
                    const auto lead = kAnswerNumber.match(t);
                    const bool ledByNumber = lead.hasMatch() && lead.capturedStart() == 0 &&
                                             parseNumber(lead.captured(1)) == number;
                    if (item.match(t).hasMatch() || (p.groups.size() > 1 && ledByNumber)) {
                        starts.push_back(i);
                        break;
                    }
                }
                if (p.groups.size() == 1 && starts.empty())
                    starts.push_back(p.first + 1);
                QVERIFY2(starts.size() == g + 1, qPrintable(where + ": item not found"));
            }
            std::vector<int> all(static_cast<std::size_t>(n));
            std::iota(all.begin(), all.end(), 1);
            const auto shared = paper.choiceNumbers(p.first + 1, starts.front());
            for (std::size_t g = 0; g < starts.size(); ++g) {
                const int to = g + 1 < starts.size() ? starts[g + 1] : p.end;
                auto choices = paper.choiceNumbers(starts[g], to);
                if (choices.empty())
                    choices = shared; // one list printed above the items serves them all
                if (choices.empty()) {
                    // Only where the choices are the numbered drawings of a figure.
                    QVERIFY2(paper.text(p.first).contains(u'図'), qPrintable(where));
                    continue;
                }
                QVERIFY2(choices == all,
                         qPrintable(where + QStringLiteral(" item ") + QString::number(g + 1)));
            }
        }
    }

    // A word-order item has a red underlined blank for each of its words, and its two
    // answer numbers stand in two of those blanks.
    void wordOrderBlanks_data() { eachPaper(); }
    void wordOrderBlanks() {
        QFETCH(int, index);
        const Paper &paper = *papers[std::size_t(index)];
        const AnswerKey key(*builtInPapers()[std::size_t(index)].key);
        Q_UNUSED(paper);
        Q_UNUSED(key);
        const auto numbers = answerNumbers(key);
        for (const Part &p : paper.parts()) {
            if (keyAnswers(key, p.groups.front()) != 2)
                continue;
            int group = -1;
            std::vector<QString> blanks;
            auto check = [&] {
                if (group < 0)
                    return;
                const int q = p.groups[std::size_t(group)];
                QCOMPARE(int(blanks.size()), sheetlayout::groups[std::size_t(q - 1)].choiceCount);
                std::vector<int> numbered;
                for (const QString &b : blanks)
                    if (const auto m = kAnswerNumber.match(b); m.hasMatch())
                        numbered.push_back(parseNumber(m.captured(1)));
                QVERIFY(numbered == numbers.at(q));
            };
            for (int i = p.first + 1; i < p.end; ++i) {
                if (paper.text(i).startsWith(u'問')) {
                    check();
                    ++group;
                    blanks.clear();
                }
                const QTextBlock &b = paper.blocks[std::size_t(i)];
                for (auto it = b.begin(); !it.atEnd(); ++it) {
                    const QTextFragment f = it.fragment();
                    const QString t = f.text();
                    if (f.charFormat().fontUnderline() &&
                        f.charFormat().foreground().color() == QColor(255, 0, 0) &&
                        t.startsWith(kIdeographicSpace) && t.endsWith(kIdeographicSpace))
                        blanks.push_back(t);
                }
            }
            check();
            QCOMPARE(group + 1, int(p.groups.size()));
        }
    }

    // The figures are referred to where they belong, each by a paragraph of its own, and the
    // paper ends with the last of the ten statements.
    void figuresAndLastLine_data() { eachPaper(); }
    void figuresAndLastLine() {
        QFETCH(int, index);
        const Paper &paper = *papers[std::size_t(index)];
        const AnswerKey key(*builtInPapers()[std::size_t(index)].key);
        Q_UNUSED(paper);
        Q_UNUSED(key);
        const auto sections = paper.sections();
        auto sectionOf = [&](int i) {
            int s = 0;
            for (const auto &[number, at] : sections)
                if (at < i)
                    s = number;
            return s;
        };
        std::vector<std::pair<QString, int>> figures;
        for (int i = 0; i < paper.count(); ++i)
            if (paper.text(i).startsWith(u'図') && paper.text(i).size() == 2)
                figures.push_back({paper.text(i), sectionOf(i)});
        const std::vector<std::pair<QString, int>> expected{
            {QStringLiteral("図１"), 4}, {QStringLiteral("図２"), 4}, {QStringLiteral("図３"), 5}};
        QVERIFY(figures == expected);
        QVERIFY(paper.text(paper.count() - 1).startsWith(u'⑩'));
    }

    // The answer book explains every item, and its answer line names exactly the key's choices;
    // every passage has its translation and a word list of 10 to 20 entries.
    void answerBook_data() { eachPaper(); }
    void answerBook() {
        QFETCH(int, index);
        const Paper &paper = *papers[std::size_t(index)];
        const AnswerKey key(*builtInPapers()[std::size_t(index)].key);
        Q_UNUSED(paper);
        Q_UNUSED(key);
        const AnswerBook &book = AnswerBook::builtIn(
            QString::fromLatin1(builtInPapers()[std::size_t(index)].answerBook));
        QVERIFY2(book.problems().isEmpty(), qPrintable(book.problems().join(u'\n')));
        for (const KeyEntry &e : key.entries()) {
            const QString &text = book.item(e.question);
            const QString label = QString::fromUtf8(sheetlayout::group(e.question).label.data());
            QVERIFY2(text.startsWith(QStringLiteral("**正解　")), qPrintable(label));
            std::set<int> named, keyed;
            for (QChar c : text.left(text.indexOf(u'\n')))
                if (circledValue(c))
                    named.insert(circledValue(c));
            for (int k : e.correct)
                if (k)
                    keyed.insert(k);
            QVERIFY2(named == keyed, qPrintable(label));
        }
        const std::map<int, QStringList> passages{
            {1, {"1C"}},     {2, {"2B"}},     {3, {"3A", "3B", "3C"}},
            {4, {"第４問"}}, {5, {"第５問"}}, {6, {"第６問"}}};
        for (const auto &[section, names] : passages) {
            const QString &text = book.section(section);
            for (const QString &name : names) {
                QVERIFY2(text.contains(QStringLiteral("### %1　全訳\n").arg(name)),
                         qPrintable(name));
                const qsizetype words = text.indexOf(QStringLiteral("### %1　語句\n").arg(name));
                QVERIFY2(words >= 0, qPrintable(name));
                const qsizetype end = text.indexOf(QStringLiteral("\n###"), words + 1);
                const qsizetype entries =
                    text.mid(words, end < 0 ? -1 : end - words).count(QStringLiteral("\n- **"));
                QVERIFY2(entries >= 10 && entries <= 20, qPrintable(name));
            }
        }
    }

    // A source that does not fit is kept out of the book and said, never shown in the wrong row.
    void answerBookProblems() {
        const AnswerBook book = AnswerBook::fromMarkdown(u"notes before the first section\n"
                                                         u"# 第１問\nsection one\n"
                                                         u"## 1A-問1\nfirst\n"
                                                         u"## 1A-問1\nagain\n"
                                                         u"## 2A-問1\nout of place\n"
                                                         u"## 9Z-問9\nnowhere\n"
                                                         u"# 第９問\n"
                                                         u"# 第２問\r\n## 2A-問1\r\nsecond\r\n");
        QCOMPARE(book.section(1), QStringLiteral("section one"));
        QCOMPARE(book.item(1), QStringLiteral("first"));
        QCOMPARE(book.item(9), QStringLiteral("second"));
        QCOMPARE(book.problems().size(), 4);
        QVERIFY(book.section(7).isEmpty() && book.item(0).isEmpty() && book.item(47).isEmpty());
    }

private:
    static void eachPaper() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < builtInPapers().size(); ++i)
            QTest::newRow(builtInPapers()[i].title.data()) << int(i);
    }

    std::vector<std::unique_ptr<Paper>> papers;
};

QTEST_MAIN(TestExamPaper)
#include "tst_exampaper.moc"
