// The RTF reader's formatting and its behaviour on damaged and hostile input. What text it reads
// from well-formed files is checked against another reader in tst_rtfgolden.

#include "rtf/rtfreader.h"

#include <QFile>
#include <QStringDecoder>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

namespace {

const QString kSourceDir = QStringLiteral(EIGO_SOURCE_DIR);

// The design font's name in code page 932, as the documents' font tables give it.
const QByteArray kGothicName = "\\'82\\'6c\\'82\\'72 \\'83\\'53\\'83\\'56\\'83\\'62\\'83\\'4e";

const QByteArray kHeader =
    "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\fswiss MS Sans Serif;}"
    "{\\f1\\froman\\fcharset2 Symbol;}{\\f4\\fmodern\\fprq1\\fcharset128 " +
    kGothicName +
    ";}{\\f6\\froman\\fprq2 Century;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green0\\blue0;}\\pard\\plain\\f4\\fs16 ";

struct Run {
    QString text;
    QTextCharFormat format;
};

QList<Run> runsOf(const QTextDocument &document) {
    QList<Run> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            runs.append({it.fragment().text(), it.fragment().charFormat()});
    }
    return runs;
}

Run runWith(const QTextDocument &document, const QString &text) {
    for (const Run &run : runsOf(document)) {
        if (run.text.contains(text))
            return run;
    }
    return {};
}

QString blockTexts(const QTextDocument &document) {
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts.join(u'|');
}

QString read(const QByteArray &rtf) {
    QTextDocument document;
    readRtf(rtf, &document);
    return blockTexts(document);
}

} // namespace

class TestRtfReader : public QObject {
    Q_OBJECT

private slots:
    void runFormats();
    void plainResetsAndSwitchesOff();
    void emptyParagraphKeepsItsSize();
    void paragraphPropertiesLastUntilPard();
    void examPaperKeepsItsFormatting();
    void decodesWhatTheOtherReaderCannot_data();
    void decodesWhatTheOtherReaderCannot();
    void hostileInput_data();
    void hostileInput();
    void deepNestingKeepsGroupsApart();
    void everyTruncationReadsThePrefix_data();
    void everyTruncationReadsThePrefix();
    void replacesEarlierContent();
    void codePages_data();
    void codePages();
    void longParagraphIsLaidOutOnce();
};

// Family, pitch, size, colour, underline and language reach each run's format.
void TestRtfReader::runFormats() {
    QTextDocument document;
    readRtf(kHeader + "\\lang1041 \\'95\\'81{\\cf2\\ul \\'90\\'d4}{\\cf2 (9)}"
                      "{\\f6\\lang1033 English}{\\fs21 big}\\par}",
            &document);

    const Run plain = runWith(document, QStringLiteral("普"));
    QCOMPARE(plain.format.fontFamilies().toStringList(),
             QStringList{QStringLiteral("ＭＳ ゴシック")});
    QCOMPARE(plain.format.fontStyleHint(), QFont::TypeWriter);
    QVERIFY(plain.format.fontFixedPitch());
    QCOMPARE(plain.format.fontPointSize(), 8.0);
    QVERIFY(!plain.format.hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(!plain.format.fontUnderline());
    QCOMPARE(plain.format.intProperty(kRtfLanguageProperty), 1041);

    const Run redUnderlined = runWith(document, QStringLiteral("赤"));
    QCOMPARE(redUnderlined.format.foreground().color(), QColor(255, 0, 0));
    QVERIFY(redUnderlined.format.fontUnderline());

    const Run redOnly = runWith(document, QStringLiteral("(9)"));
    QCOMPARE(redOnly.format.foreground().color(), QColor(255, 0, 0));
    QVERIFY(!redOnly.format.fontUnderline());

    const Run english = runWith(document, QStringLiteral("English"));
    QCOMPARE(english.format.fontFamilies().toStringList(), QStringList{QStringLiteral("Century")});
    QVERIFY(!english.format.fontFixedPitch());
    QCOMPARE(english.format.intProperty(kRtfLanguageProperty), 1033);

    QCOMPARE(runWith(document, QStringLiteral("big")).format.fontPointSize(), 10.5);

    // Read for a screen that has other fonts, the runs name what the map makes of each table name.
    QTextDocument mapped;
    const auto map = [](const QString &name) {
        return name == QStringLiteral("Century") ? QStringLiteral("Serif") : name + u'*';
    };
    readRtf(kHeader + "\\'95\\'81{\\f6 English}\\par}", &mapped, {.familyFor = map});
    QCOMPARE(runWith(mapped, QStringLiteral("普")).format.fontFamilies().toStringList(),
             QStringList{QStringLiteral("ＭＳ ゴシック*")});
    QCOMPARE(runWith(mapped, QStringLiteral("English")).format.fontFamilies().toStringList(),
             QStringList{QStringLiteral("Serif")});
}

// \plain, \ulnone, \ul0, \b0 and \cf0 each end what they should, and a group's end restores.
void TestRtfReader::plainResetsAndSwitchesOff() {
    QTextDocument document;
    readRtf(kHeader + "\\b\\ul\\cf2 a\\ulnone b\\ul c\\ul0 d\\b0 e\\cf0 f{\\i g}h\\plain i\\par}",
            &document);
    const auto format = [&](const char *text) {
        return runWith(document, QString::fromLatin1(text)).format;
    };
    QVERIFY(format("a").fontUnderline() && format("a").fontWeight() == QFont::Bold);
    QVERIFY(!format("b").fontUnderline());
    QVERIFY(format("c").fontUnderline());
    QVERIFY(!format("d").fontUnderline());
    QCOMPARE(format("d").fontWeight(), QFont::Bold);
    QVERIFY(format("e").fontWeight() != QFont::Bold);
    QCOMPARE(format("e").foreground().color(), QColor(255, 0, 0));
    QVERIFY(!format("f").hasProperty(QTextFormat::ForegroundBrush));
    QVERIFY(format("g").fontItalic());
    QVERIFY(!format("h").fontItalic());
    // \plain returns to the default font (\deff0) at 12 pt.
    QCOMPARE(format("i").fontFamilies().toStringList(),
             QStringList{QStringLiteral("MS Sans Serif")});
    QCOMPARE(format("i").fontPointSize(), 12.0);
}

// An empty line is as tall as the text around it: its block carries the run's format.
void TestRtfReader::emptyParagraphKeepsItsSize() {
    QTextDocument document;
    readRtf(kHeader + "first\\par\\par last\\par}", &document);
    const QTextBlock empty = document.begin().next();
    QVERIFY(empty.isValid());
    QCOMPARE(empty.text(), QString());
    QCOMPARE(empty.charFormat().fontPointSize(), 8.0);
    QCOMPARE(empty.charFormat().fontFamilies().toStringList(),
             QStringList{QStringLiteral("ＭＳ ゴシック")});
}

// A paragraph takes the properties in force at its \par; they carry on until \pard.
void TestRtfReader::paragraphPropertiesLastUntilPard() {
    QTextDocument document;
    readRtf(kHeader + "\\qc\\li300 a\\par b\\par\\pard c\\par d\\qr\\par e}", &document);
    QTextBlock block = document.begin();
    QCOMPARE(block.text(), QStringLiteral("a"));
    QCOMPARE(block.blockFormat().alignment(), Qt::AlignHCenter);
    QCOMPARE(block.blockFormat().leftMargin(), 20.0);
    block = block.next();
    QCOMPARE(block.blockFormat().alignment(), Qt::AlignHCenter);
    block = block.next();
    QCOMPARE(block.text(), QStringLiteral("c"));
    QCOMPARE(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(block.blockFormat().leftMargin(), 0.0);
    block = block.next();
    QCOMPARE(block.text(), QStringLiteral("d"));
    QCOMPARE(block.blockFormat().alignment(), Qt::AlignRight);
    block = block.next();
    QCOMPARE(block.text(), QStringLiteral("e"));
    QCOMPARE(block.blockFormat().alignment(), Qt::AlignRight);
}

// The shipped paper shows in its three fonts, mostly 8 pt, with red underlined parts, red marks
// without underline, and its one 10.5 pt run.
void TestRtfReader::examPaperKeepsItsFormatting() {
    QFile file(kSourceDir + QStringLiteral("/content/exam_paper.rtf"));
    if (!file.open(QIODevice::ReadOnly))
        QSKIP("content/exam_paper.rtf is not there");
    QTextDocument document;
    readRtf(file.readAll(), &document);

    const QSet<QString> allowed{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("Century"),
                                QStringLiteral("MS Gothic Western")};
    int redUnderlined = 0;
    int redPlain = 0;
    int large = 0;
    for (const Run &run : runsOf(document)) {
        const QStringList families = run.format.fontFamilies().toStringList();
        QVERIFY2(families.size() == 1 && allowed.contains(families.first()), qPrintable(run.text));
        const double size = run.format.fontPointSize();
        QVERIFY2(size == 8.0 || size == 10.5, qPrintable(run.text));
        large += size == 10.5;
        const bool red = run.format.hasProperty(QTextFormat::ForegroundBrush) &&
                         run.format.foreground().color() == QColor(255, 0, 0);
        redUnderlined += red && run.format.fontUnderline();
        redPlain += red && !run.format.fontUnderline();
    }
    QCOMPARE(large, 1);
    QVERIFY(redUnderlined > 0);
    QVERIFY(redPlain > 0);
    QVERIFY(document.toPlainText().contains(QStringLiteral("第１問")));
}

void TestRtfReader::decodesWhatTheOtherReaderCannot_data() {
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("expected");
    QTest::newRow("trail byte as \\\\") << QByteArray("\\'95\\\\\\'8e\\'a6") << "表示";
    QTest::newRow("trail byte as \\{") << QByteArray("\\'83\\{") << "ボ";
    QTest::newRow("trail byte as \\}") << QByteArray("\\'83\\}") << "マ";
    QTest::newRow("lead escaped, trail plain") << QByteArray("\\'82a") << "Ｂ";
    QTest::newRow("picture skipped") << QByteArray("a{\\pict\\wmetafile8 0123abcd}b") << "ab";
    QTest::newRow("picture in \\bin") << QByteArray("a{\\pict\\bin3 }}}}b") << "ab";
}

// Double-byte characters split over escapes and plain bytes, and pictures, read as meant.
void TestRtfReader::decodesWhatTheOtherReaderCannot() {
    QFETCH(QByteArray, body);
    QFETCH(QString, expected);
    QCOMPARE(read(kHeader + body + "}"), expected);
}

void TestRtfReader::hostileInput_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("not rtf at all") << QByteArray("plain words") << "plain words";
    QTest::newRow("unclosed groups") << QByteArray("{\\rtf1{{{{ text") << " text";
    QTest::newRow("lone backslash at end") << QByteArray("{\\rtf1 a\\") << "a";
    QTest::newRow("cut in an escape") << QByteArray("{\\rtf1 a\\'8") << "a";
    QTest::newRow("escape of one digit") << QByteArray("{\\rtf1 a\\'8g}") << "ag";
    QTest::newRow("huge \\bin") << QByteArray("{\\rtf1 kept\\bin2000000000 lost}") << "kept";
    QTest::newRow("\\bin past the end")
        << QByteArray("{\\rtf1 kept\\bin99999999999999999999 x}") << "kept";
    QTest::newRow("absurd numbers")
        << QByteArray("{\\rtf1\\ansicpg999999999999\\deff-99999999999{\\fonttbl{\\f99999999999"
                      "\\fcharset-5\\cpg77777 X;}}\\fs999999999999\\cf-5\\f-3"
                      "{\\uc999999999\\u99999999 gone}a\\uc0\\u-99999999 b\\li-999999999 c}")
        << "abc";
    QTest::newRow("over-long control word")
        << QByteArray("{\\rtf1 \\" + QByteArray(100000, 'x') + " text}") << "text";
    QTest::newRow("NUL and control bytes") << QByteArray("{\\rtf1 a\0\x01\x1f b}", 14) << "a b";
}

// Damaged and hostile input reads what it can and returns promptly.
void TestRtfReader::hostileInput() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(read(rtf), expected);
}

// 100,000 nested groups are read without exhausting the stack, and the groups within reach of
// the depth cap still restore their formatting when they close.
void TestRtfReader::deepNestingKeepsGroupsApart() {
    constexpr int depth = 100000;
    const QByteArray rtf = kHeader + "{\\ul outer" + QByteArray(depth, '{') + "\\b deep" +
                           QByteArray(depth, '}') + "after}plain\\par}";
    QTextDocument document;
    readRtf(rtf, &document);
    QCOMPARE(blockTexts(document), QStringLiteral("outerdeepafterplain|"));
    QVERIFY(runWith(document, QStringLiteral("deep")).format.fontWeight() == QFont::Bold);
    const QTextCharFormat after = runWith(document, QStringLiteral("after")).format;
    QVERIFY(after.fontWeight() != QFont::Bold);
    QVERIFY(after.fontUnderline());
    QVERIFY(!runWith(document, QStringLiteral("plain")).format.fontUnderline());
}

void TestRtfReader::everyTruncationReadsThePrefix_data() {
    QTest::addColumn<QString>("name");
    for (const char *name : {"unicode_escapes", "escaped_trail_bytes", "formatting_runs",
                             "skipped_destinations", "charsets"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// Cut at any byte, a document reads as the text before the cut, never more or other.
void TestRtfReader::everyTruncationReadsThePrefix() {
    QFETCH(QString, name);
    QFile file(kSourceDir + QStringLiteral("/tests/unit/rtf-cases/%1.rtf").arg(name));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    QTextDocument full;
    readRtf(whole, &full);
    const QString fullText = full.toPlainText();
    for (qsizetype cut = 0; cut <= whole.size(); ++cut) {
        QTextDocument document;
        readRtf(whole.left(cut), &document);
        QString text = document.toPlainText();
        // A cut inside a character leaves a replacement for it at the end.
        if (text.endsWith(QChar::ReplacementCharacter))
            text.chop(1);
        QVERIFY2(fullText.startsWith(text), qPrintable(QString::number(cut)));
    }

    // Asked for its first paragraphs only, it reads exactly those, and an empty one after them.
    QStringList paragraphs;
    for (QTextBlock block = full.begin(); block.isValid(); block = block.next())
        paragraphs << block.text();
    for (int n = 0; n < paragraphs.size(); ++n) {
        QTextDocument first;
        readRtf(whole, &first, {.paragraphs = n});
        QCOMPARE(blockTexts(first), (paragraphs.mid(0, n) << QString()).join(u'|'));
    }
}

// Reading into a document that already holds text replaces it, formats and all.
void TestRtfReader::replacesEarlierContent() {
    QTextDocument document;
    document.setHtml(QStringLiteral("<p><b>old</b></p><p>two</p>"));
    readRtf(kHeader + "new}", &document);
    QCOMPARE(blockTexts(document), QStringLiteral("new"));
    QVERIFY(!document.isUndoAvailable());
    QVERIFY(document.isUndoRedoEnabled());
}

void TestRtfReader::codePages_data() {
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("expected");
    // \'cf\'f0 is "Пр" in code page 1251 and "Ïð" in 1252.
    const auto doc = [](const char *ansicpg, const char *font, const char *body) {
        return QByteArray("{\\rtf1\\ansi") + ansicpg + "{\\fonttbl{\\f0" + font +
               " X;}{\\f1\\fcharset204 Y;}}\\f0 " + body + "}";
    };
    const QString cyrillic = QStringLiteral("Пр");
    const QString latin = QStringLiteral("Ïð");
    const QString bad = QString(QChar::ReplacementCharacter);

    QTest::newRow("no \\ansicpg: 1252") << doc("", "", "\\'cf\\'f0") << latin;
    QTest::newRow("\\ansicpg for a font without charset")
        << doc("\\ansicpg1251", "", "\\'cf\\'f0") << cyrillic;
    QTest::newRow("\\fcharset over \\ansicpg")
        << doc("\\ansicpg1252", "\\fcharset204", "\\'cf\\'f0") << cyrillic;
    QTest::newRow("\\fcharset0 in a 932 document")
        << doc("\\ansicpg932", "\\fcharset0", "\\'cf\\'f0") << latin;
    QTest::newRow("unknown \\fcharset: \\ansicpg")
        << doc("\\ansicpg1251", "\\fcharset99", "\\'cf\\'f0") << cyrillic;
    QTest::newRow("\\cpg over an earlier \\fcharset")
        << doc("", "\\fcharset0\\cpg1251", "\\'cf\\'f0") << cyrillic;
    QTest::newRow("\\cpg over a later \\fcharset")
        << doc("", "\\cpg1251\\fcharset0", "\\'cf\\'f0") << cyrillic;
    QTest::newRow("each font its code page")
        << doc("", "", "\\'cf{\\f1\\'cf}\\'cf") << QStringLiteral("ÏПÏ");

    // Code page 932: both ends of both lead-byte ranges, the half-width katakana between them.
    const auto cp932 = [&](const char *body) { return doc("\\ansicpg932", "", body); };
    QTest::newRow("932 leads 81 9f e0 fc")
        << cp932("\\'81\\'40\\'9f\\'fc\\'e0\\'40\\'fc\\'4b") << QStringLiteral("　滌漾黑");
    QTest::newRow("932 lead fa") << cp932("\\'fa\\'40") << QStringLiteral("ⅰ");
    QTest::newRow("932 katakana a1 b1 df") << cp932("\\'a1\\'b1\\'df") << QStringLiteral("｡ｱﾟ");
    QTest::newRow("932 lone lead 81") << cp932("a\\'81") << "a" + bad;
    QTest::newRow("932 lone lead fa") << cp932("a\\'fa") << "a" + bad;
    QTest::newRow("932 lone lead fc") << cp932("a\\'fc") << "a" + bad;
    QTest::newRow("932 lead before a non-trail")
        << cp932("\\'81\\'7f\\'e0\\'1a") << bad + QChar(0x7f) + bad + QChar(0x1a);
    QTest::newRow("932 ASCII control bytes")
        << cp932("\\'01\\'1a\\'1c\\'7f") << QStringLiteral("\x01\x1a\x1c\x7f");
    QTest::newRow("932 non-characters")
        << cp932("\\'80\\'a0\\'fd\\'fe\\'ff") << QString(5, QChar::ReplacementCharacter);
    // Every pair, read as Qt's converter for Microsoft's variant reads it.
    QByteArray pairs;
    QByteArray escaped;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if ((lead > 0x9F && lead < 0xE0) || trail == 0x7F)
                continue;
            pairs += char(lead);
            pairs += char(trail);
            escaped += "\\'" + QByteArray::number(lead, 16) + "\\'" +
                       QByteArray::number(trail, 16).rightJustified(2, '0');
        }
    }
    QStringDecoder converter("windows-31j", QStringConverter::Flag::Stateless);
    QTest::newRow("932 every pair")
        << cp932(escaped.constData()) << QString(converter.decode(pairs));
    QTest::newRow("1252 ASCII control bytes")
        << doc("", "", "\\'1a\\'1c\\'7f") << QStringLiteral("\x1a\x1c\x7f");

    // Code page 949 is more than EUC-KR: 8,822 Hangul syllables with leads from 0x81 up.
    const auto cp949 = [&](const char *body) { return doc("\\ansicpg949", "", body); };
    QTest::newRow("949 extended Hangul")
        << cp949("\\'81\\'41\\'8c\\'63\\'c7\\'d1") << QStringLiteral("갂똠한");
    QTest::newRow("949 lone lead") << cp949("a\\'c7") << "a" + bad;
}

// Which code page a run is read in (\cpg, then \fcharset, then \ansicpg) and what its bytes
// become there.
void TestRtfReader::codePages() {
    QFETCH(QByteArray, rtf);
    QFETCH(QString, expected);
    QCOMPARE(read(rtf), expected);
}

// The runs of one paragraph are laid out once, not once per run, which made reading quadratic in
// their number: the layout is told of the document as often for 300 runs as for one. (Counted, not
// timed; the old builder took minutes over 2,000 runs here.)
void TestRtfReader::longParagraphIsLaidOutOnce() {
    const auto changesFor = [](int runs) {
        QTextDocument document;
        document.documentLayout();
        int changes = 0;
        QObject::connect(&document, &QTextDocument::contentsChange, [&] { ++changes; });
        QByteArray rtf = kHeader;
        for (int i = 0; i < runs; ++i)
            rtf += "\\b a\\b0 b";
        readRtf(rtf + "}", &document);
        if (document.blockCount() != 1 || document.characterCount() != 2 * runs + 1)
            return -1;
        return changes;
    };
    const int once = changesFor(1);
    QVERIFY(once > 0);
    QCOMPARE(changesFor(300), once);
}

QTEST_MAIN(TestRtfReader)
#include "tst_rtfreader.moc"
