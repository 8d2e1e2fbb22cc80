// Our reader's text of every hand-written RTF case and every shipped document, against the text
// an office suite exports from the same file (tests/unit/rtf-golden, made by
// tools/make-rtf-goldens.sh).

#include "tools/rtfdump/rtfdumpformat.h"

#include "rtf/rtfreader.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTextDocument>

namespace {

const QString kSourceDir = QStringLiteral(EIGO_SOURCE_DIR);

// Where the office suite's text differs from ours, and why ours is what a reader should see.
// - Its importer decodes a byte given by \' apart from a trail byte given as \\, \{ or \}, so a
//   double-byte character split that way comes out as a replacement character and the bare
//   trail byte.
// - Its text export writes hidden text (\v), which no view shows.
struct KnownDifference {
    const char *file;
    const char *golden;
    const char *ours;
};
constexpr KnownDifference kKnownDifferences[] = {
    {"escaped_trail_bytes", "\uFFFD\\示 trail written as backslash",
     "表示 trail written as backslash"},
    {"escaped_trail_bytes", "\uFFFD{\uFFFD} braces as trail bytes", "ボマ braces as trail bytes"},
    {"skipped_destinations", "beforehidden textafter also hidden shown again",
     "beforeafter  shown again"},
};

QByteArray readFile(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString expectedText(const QString &name, const QByteArray &golden) {
    QString text = QString::fromUtf8(golden);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (const KnownDifference &difference : kKnownDifferences) {
        if (name == QLatin1String(difference.file))
            text.replace(QString::fromUtf8(difference.golden), QString::fromUtf8(difference.ours));
    }
    return text;
}

} // namespace

class TestRtfGolden : public QObject {
    Q_OBJECT

private slots:
    void matchesGolden_data();
    void matchesGolden();
    void knownDifferencesStillApply();
};

void TestRtfGolden::matchesGolden_data() {
    QTest::addColumn<QString>("rtfPath");
    QTest::addColumn<QString>("goldenPath");
    const QString goldenDir = kSourceDir + QStringLiteral("/tests/unit/rtf-golden/");
    const QDir cases(kSourceDir + QStringLiteral("/tests/unit/rtf-cases"));
    const QDir content(kSourceDir + QStringLiteral("/content"));
    const QStringList filter{QStringLiteral("*.rtf")};
    // Every hand-written case must have its golden; a shipped document is compared once its
    // golden has been made.
    for (const QFileInfo &info : cases.entryInfoList(filter, QDir::Files, QDir::Name))
        QTest::newRow(qPrintable(info.fileName()))
            << info.filePath() << goldenDir + info.completeBaseName() + QStringLiteral(".txt");
    for (const QFileInfo &info : content.entryInfoList(filter, QDir::Files, QDir::Name)) {
        const QString golden = goldenDir + info.completeBaseName() + QStringLiteral(".txt");
        if (QFile::exists(golden))
            QTest::newRow(qPrintable(info.fileName())) << info.filePath() << golden;
    }
}

// The text we read equals the other reader's, line for line, but for the known differences.
void TestRtfGolden::matchesGolden() {
    QFETCH(QString, rtfPath);
    QFETCH(QString, goldenPath);
    const QByteArray rtf = readFile(rtfPath);
    QVERIFY2(!rtf.isEmpty(), qPrintable(rtfPath));
    QVERIFY2(QFile::exists(goldenPath), qPrintable(QStringLiteral("no golden ") + goldenPath));

    QTextDocument document;
    readRtf(rtf, &document);
    const QString expected =
        expectedText(QFileInfo(rtfPath).completeBaseName(), readFile(goldenPath));
    const QStringList actualLines = documentPlainText(document).split(u'\n');
    const QStringList expectedLines = expected.split(u'\n');
    // Line by line first, so that a failure names the first line that differs.
    for (qsizetype i = 0; i < qMin(actualLines.size(), expectedLines.size()); ++i)
        QCOMPARE(actualLines.at(i), expectedLines.at(i));
    QCOMPARE(actualLines.size(), expectedLines.size());
}

// Each known difference is still there in its golden: one that no longer applies would hide
// nothing, and should go.
void TestRtfGolden::knownDifferencesStillApply() {
    for (const KnownDifference &difference : kKnownDifferences) {
        const QString golden =
            QString::fromUtf8(readFile(kSourceDir + QStringLiteral("/tests/unit/rtf-golden/") +
                                       QLatin1String(difference.file) + QStringLiteral(".txt")));
        QVERIFY2(golden.contains(QString::fromUtf8(difference.golden)), difference.golden);
    }
}

QTEST_GUILESS_MAIN(TestRtfGolden)
#include "tst_rtfgolden.moc"
