#include "rtf/rtfreader.h"
#include "toolkit/fonts.h"
#include "tools/rtfgen/rtfgenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

QByteArray body(const QByteArray &rtf) {
    // The body starts after the run defaults of the last header line.
    const qsizetype start = rtf.indexOf("\\lang1041", rtf.indexOf("\\pard"));
    return rtf.mid(start + qstrlen("\\lang1041"));
}

GeneratedRtf paper(const QByteArray &line) {
    return generateRtf("@profile paper\n" + line + '\n');
}

// The format of the run that holds `text` in the document's first paragraph.
QTextCharFormat formatOf(const QTextDocument &document, const QString &text) {
    for (auto run = document.begin().begin(); !run.atEnd(); ++run) {
        if (run.fragment().text().contains(text))
            return run.fragment().charFormat();
    }
    return {};
}

} // namespace

class TestRtfGen : public QObject {
    Q_OBJECT

private slots:
    void encodesCharacters_data();
    void encodesCharacters();
    void tagsBecomeGroups_data();
    void tagsBecomeGroups();
    void headerOfEachProfile();
    void linesBecomeParagraphs();
    void lineEndingsDoNotMatter();
    void rejectsFaultySources_data();
    void rejectsFaultySources();
    void readerSeesWhatTheSourceSays();
    void committedDocumentsAreUpToDate();
};

// Each character reaches the file as its code page 932 bytes, an RTF escape or a Unicode escape.
void TestRtfGen::encodesCharacters_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("ascii") << "Tom (9)" << QByteArray(" Tom (9)\\par");
    QTest::newRow("rtf specials") << "a{b}\\c" << QByteArray(" a\\{b\\}\\\\c\\par");
    QTest::newRow("kana") << "あ" << QByteArray("\\'82\\'a0\\par");
    QTest::newRow("trail byte 0x5c") << "ソ表" << QByteArray("\\'83\\'5c\\'95\\'5c\\par");
    QTest::newRow("circled digits") << "①⑩" << QByteArray("\\'87\\'40\\'87\\'49\\par");
    QTest::newRow("ideographic space") << "\u3000" << QByteArray("\\'81\\'40\\par");
    QTest::newRow("full-width tilde") << "～" << QByteArray("\\'81\\'60\\par");
    QTest::newRow("half-width katakana") << "ｱ" << QByteArray("\\'b1\\par");
    QTest::newRow("entities") << "&lt;a&gt; &amp; &x" << QByteArray(" <a> & &x\\par");
    QTest::newRow("not in code page") << "\u2212" << QByteArray("\\u8722?\\par");
    QTest::newRow("outside the BMP")
        << QString::fromUcs4(U"\U0001F600") << QByteArray("\\u-10179?\\u-8704?\\par");
    QTest::newRow("tab") << "a\tb" << QByteArray(" a\\tab b\\par");
}

void TestRtfGen::encodesCharacters() {
    QFETCH(QString, source);
    QFETCH(QByteArray, expected);
    const GeneratedRtf result = paper(source.toUtf8());
    QVERIFY2(result.errors.isEmpty(), qPrintable(result.errors.join('\n')));
    QCOMPARE(body(result.rtf), expected + "\r\n}\r\n");
}

// Inline tags open groups with the run's formatting and close them where the source does.
void TestRtfGen::tagsBecomeGroups_data() {
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("red") << QByteArray("<r>(9)</r>") << QByteArray("{\\cf2 (9)}");
    QTest::newRow("red underline")
        << QByteArray("x<r><u>a b</u></r>y") << QByteArray(" x{\\cf2{\\ul a b}}y");
    QTest::newRow("century") << QByteArray("<e>Hi</e>") << QByteArray("{\\f6\\lang1033 Hi}");
    QTest::newRow("western gothic") << QByteArray("<w>Hi</w>") << QByteArray("{\\f5\\lang1033 Hi}");
    QTest::newRow("big") << QByteArray("<big>第１問</big>")
                         << QByteArray("{\\fs21\\'91\\'e6\\'82\\'50\\'96\\'e2}");
    QTest::newRow("empty tag") << QByteArray("<u></u>") << QByteArray("{\\ul}");
}

void TestRtfGen::tagsBecomeGroups() {
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, expected);
    const GeneratedRtf result = paper(source);
    QVERIFY2(result.errors.isEmpty(), qPrintable(result.errors.join('\n')));
    QCOMPARE(body(result.rtf), expected + "\\par\r\n}\r\n");
}

// Each profile carries its own font table, colour table and run defaults.
void TestRtfGen::headerOfEachProfile() {
    const QByteArray gothic = "\\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e;";
    const QByteArray paperRtf = paper("x").rtf;
    QVERIFY(paperRtf.startsWith(
        "{\\rtf1\\ansi\\ansicpg932\\deff0\\deftab720\\deflang1041\\deflangfe1041{\\fonttbl"));
    QVERIFY(paperRtf.contains("{\\f4\\fmodern\\fprq1\\fcharset128" + gothic + "}"));
    QVERIFY(paperRtf.contains("{\\f6\\froman\\fprq2 Century;}"));
    QCOMPARE(QString::fromLatin1(paperRtf).count(QRegularExpression(R"(\{\\f\d)")), 7);
    QVERIFY(paperRtf.contains("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}"));
    QVERIFY(paperRtf.contains("{\\*\\fchars "));
    QVERIFY(paperRtf.contains("{\\*\\lchars "));
    QVERIFY(paperRtf.contains("\\pard\\f4\\fs16\\cf1\\lang1041 x\\par"));

    const QByteArray plainRtf = generateRtf("@profile plain\nx\n").rtf;
    QVERIFY(plainRtf.contains("{\\fonttbl\r\n{\\f0\\fmodern\\fprq1\\fcharset128" + gothic + "}}"));
    QVERIFY(plainRtf.contains("{\\colortbl ;\\red0\\green0\\blue0;}"));
    QVERIFY(plainRtf.contains("\\pard\\f0\\fs18\\cf1\\lang1041 x\\par"));
}

// Every line but comments is one paragraph, empty lines included; the final newline adds none.
void TestRtfGen::linesBecomeParagraphs() {
    const GeneratedRtf result = generateRtf("@profile plain\n@# note\na\n\n@#\nb\n");
    QVERIFY(result.errors.isEmpty());
    QCOMPARE(body(result.rtf), QByteArray(" a\\par\r\n\\par\r\nb\\par\r\n}\r\n"));
    QVERIFY(!result.rtf.contains("note"));
    // Long paragraphs are broken into short lines of the file, never inside an escape.
    const GeneratedRtf longLine =
        generateRtf("@profile plain\n" + QString(200, u'あ').toUtf8() + '\n');
    for (const QByteArray &fileLine : longLine.rtf.split('\n')) {
        QVERIFY(fileLine.size() <= 130);
        QVERIFY(!fileLine.endsWith("\\\r") && !fileLine.endsWith("\\'\r"));
    }
    QCOMPARE(longLine.rtf.count("\\'82\\'a0"), 200);
}

// A source saved with CRLF line ends or a byte-order mark gives the same document.
void TestRtfGen::lineEndingsDoNotMatter() {
    const QByteArray lf = "@profile paper\n<r>a</r>\n\nb\n";
    QByteArray crlf = lf;
    crlf.replace("\n", "\r\n");
    QCOMPARE(generateRtf(crlf).rtf, generateRtf(lf).rtf);
    QCOMPARE(generateRtf("\xEF\xBB\xBF" + lf).rtf, generateRtf(lf).rtf);
}

// A faulty source gives no document and names the line at fault.
void TestRtfGen::rejectsFaultySources_data() {
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QString>("error");
    QTest::newRow("no profile") << QByteArray("hello\n") << "line 1:";
    QTest::newRow("unknown profile") << QByteArray("@profile letter\n") << "line 1:";
    QTest::newRow("unclosed") << QByteArray("@profile paper\nok\n<r>red\n") << "line 3:";
    QTest::newRow("crossed") << QByteArray("@profile paper\n<r><u>x</r></u>\n") << "line 2:";
    QTest::newRow("stray close") << QByteArray("@profile paper\nx</u>\n") << "line 2:";
    QTest::newRow("unknown tag") << QByteArray("@profile paper\n<b>x</b>\n") << "line 2:";
    QTest::newRow("bare <") << QByteArray("@profile paper\n@# c\n1 < 2\n") << "line 3:";
    QTest::newRow("tag in plain") << QByteArray("@profile plain\n<r>x</r>\n") << "line 2:";
    QTest::newRow("bad utf-8") << QByteArray("@profile plain\n\xff\n") << "line 1:";
}

void TestRtfGen::rejectsFaultySources() {
    QFETCH(QByteArray, source);
    QFETCH(QString, error);
    const GeneratedRtf result = generateRtf(source);
    QVERIFY(result.rtf.isEmpty());
    QCOMPARE(result.errors.size(), 1);
    QVERIFY2(result.errors[0].startsWith(error), qPrintable(result.errors[0]));
}

// The program's reader gets back the source's text and each tag's formatting.
void TestRtfGen::readerSeesWhatTheSourceSays() {
    const GeneratedRtf generated = generateRtf("@profile paper\n"
                                               "A\u3000<r><u>under</u></r> (9) <r>(10)</r> "
                                               "<e>Century</e> <w>Western</w> <big>大</big> "
                                               "x{y}\\z &lt;①\n\n⑩\n");
    QVERIFY(generated.errors.isEmpty());
    QTextDocument document;
    readRtf(generated.rtf, &document);
    QCOMPARE(document.begin().text(),
             QString("A\u3000under (9) (10) Century Western 大 x{y}\\z <①"));
    QCOMPARE(document.begin().next().text(), QString());
    QCOMPARE(document.begin().next().next().text(), QString("⑩"));

    const QTextCharFormat plain = formatOf(document, QStringLiteral(" (9) "));
    QCOMPARE(plain.fontFamilies().toStringList().value(0), kDesignFontFamily);
    QCOMPARE(plain.fontPointSize(), 8.0);
    QVERIFY(!plain.fontUnderline());
    QCOMPARE(plain.property(kRtfLanguageProperty).toInt(), 1041);

    const QTextCharFormat under = formatOf(document, QStringLiteral("under"));
    QCOMPARE(under.foreground().color(), QColor(255, 0, 0));
    QVERIFY(under.fontUnderline());
    const QTextCharFormat red = formatOf(document, QStringLiteral("(10)"));
    QCOMPARE(red.foreground().color(), QColor(255, 0, 0));
    QVERIFY(!red.fontUnderline());

    const QTextCharFormat century = formatOf(document, QStringLiteral("Century"));
    QCOMPARE(century.fontFamilies().toStringList().value(0), QStringLiteral("Century"));
    QCOMPARE(century.property(kRtfLanguageProperty).toInt(), 1033);
    QCOMPARE(century.fontPointSize(), 8.0);
    const QTextCharFormat western = formatOf(document, QStringLiteral("Western"));
    QCOMPARE(western.fontFamilies().toStringList().value(0), QStringLiteral("MS Gothic Western"));
    QCOMPARE(formatOf(document, QStringLiteral("大")).fontPointSize(), 10.5);

    QTextDocument plainDocument;
    readRtf(generateRtf("@profile plain\n★見出し\n").rtf, &plainDocument);
    const QTextCharFormat heading = formatOf(plainDocument, QStringLiteral("★"));
    QCOMPARE(heading.fontFamilies().toStringList().value(0), kDesignFontFamily);
    QCOMPARE(heading.fontPointSize(), 9.0);
}

// Every committed document is exactly what the generator makes of its committed source.
void TestRtfGen::committedDocumentsAreUpToDate() {
    const QDir content(QStringLiteral(EIGO_SOURCE_DIR "/content"));
    int checked = 0;
    for (const QString &name : content.entryList({QStringLiteral("*.txt")}, QDir::Files)) {
        QFile source(content.filePath(name));
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QByteArray text = source.readAll();
        if (!text.startsWith("@profile"))
            continue;
        const GeneratedRtf generated = generateRtf(text);
        QVERIFY2(generated.errors.isEmpty(), qPrintable(name + ": " + generated.errors.join(' ')));
        QFile committed(content.filePath(QFileInfo(name).completeBaseName() + ".rtf"));
        QVERIFY2(committed.open(QIODevice::ReadOnly), qPrintable(committed.fileName()));
        QVERIFY2(committed.readAll() == generated.rtf,
                 qPrintable(committed.fileName() + " is stale: run tools/make-content.sh"));
        ++checked;
    }
    QVERIFY2(checked > 0, "no document sources found in content/");
}

QTEST_GUILESS_MAIN(TestRtfGen)
#include "tst_rtfgen.moc"
