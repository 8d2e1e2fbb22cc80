#include <QtTest>

#include "documents/figuredescriptions.h"
#include "toolkit/fonts.h"
#include "tools/figures/figurejpeg.h"
#include "tools/figures/footprintfigure.h"
#include "tools/figures/hairstylefigure.h"
#include "tools/figures/paper2figures.h"
#include "tools/figures/piechartfigure.h"

// The paper's figures as shipped: the right kind of JPEG at the right size, and still what the
// drawing code makes, so a change to a drawing cannot be forgotten in content/.

namespace {

QByteArray shipped(const QString &name) {
    QFile file(QStringLiteral(":/content/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The second paper's files, read from the source tree beside the first paper's.
QByteArray paper2File(const QString &name) {
    QFile file(QStringLiteral(EIGO_SOURCE_DIR "/content/paper2/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The mean difference, 0 to 255, of two swatches of the same size printed in grey.
long greyDifference(const QImage &a, const QImage &b) {
    const QImage x = a.convertToFormat(QImage::Format_Grayscale8);
    const QImage y = b.convertToFormat(QImage::Format_Grayscale8);
    long total = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col)
            total += std::abs(x.constScanLine(row)[col] - y.constScanLine(row)[col]);
    return total / (x.width() * x.height());
}

// The largest difference of any colour channel of any pixel.
int largestDifference(const QImage &a, const QImage &b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int largest = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const auto *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col)
            largest = std::max({largest, std::abs(qRed(p[col]) - qRed(q[col])),
                                std::abs(qGreen(p[col]) - qGreen(q[col])),
                                std::abs(qBlue(p[col]) - qBlue(q[col]))});
    }
    return largest;
}

} // namespace

class TestFigures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void figures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QImage>("drawn");
        QTest::newRow("1") << "figure1.jpg" << QSize(333, 117) << drawHairstyleFigure();
        QTest::newRow("2") << "figure2.jpg" << QSize(472, 227) << drawPieChartFigure();
        QTest::newRow("3") << "figure3.jpg" << QSize(522, 304) << drawFootprintFigure();
    }

    // A baseline frame (SOF0) with 8-bit samples and no progressive one (SOF2), at exactly the
    // size the picture box is laid out for.
    void figures() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QByteArray jpeg = shipped(name);
        QVERIFY(jpeg.startsWith("\xff\xd8"));
        const qsizetype sof0 = jpeg.indexOf("\xff\xc0");
        QVERIFY(sof0 > 0);
        QCOMPARE(int(jpeg.at(sof0 + 4)), 8);
        QCOMPARE(jpeg.indexOf("\xff\xc2"), qsizetype(-1));
        QCOMPARE(QImage::fromData(jpeg).size(), size);
    }

    // The shipped figure is what the drawing code makes today. Both go through the same encoder,
    // so only a different JPEG library could make them differ, and only by a little; a changed
    // label or line differs by far more.
    void figuresMatchTheirDrawings() {
        QFETCH(QString, name);
        QFETCH(QImage, drawn);
        const QImage committed = QImage::fromData(shipped(name));
        const QImage remade = QImage::fromData(encodeFigureJpeg(drawn));
        QCOMPARE(remade.size(), committed.size());
        QVERIFY2(largestDifference(remade, committed) <= 24,
                 qPrintable(name + " is stale: run tools/make-content.sh"));
    }
    void figuresMatchTheirDrawings_data() { figures_data(); }

    // Figure 2 printed in grey: every category's fill differs from every other's, by its marks
    // where the shades of its colour come out alike, so legend key and slice still pair up.
    void pieChartFillsDifferInGrey() {
        const auto grey = [](const piechart::Category &c) {
            return piechart::swatch(c, QSize(24, 24)).convertToFormat(QImage::Format_Grayscale8);
        };
        for (std::size_t i = 0; i < piechart::kCategories.size(); ++i)
            for (std::size_t j = i + 1; j < piechart::kCategories.size(); ++j) {
                const QImage a = grey(piechart::kCategories[i]);
                const QImage b = grey(piechart::kCategories[j]);
                long total = 0;
                for (int row = 0; row < a.height(); ++row)
                    for (int col = 0; col < a.width(); ++col)
                        total += std::abs(a.constScanLine(row)[col] - b.constScanLine(row)[col]);
                QVERIFY2(total / (a.width() * a.height()) >= 30,
                         qPrintable(QStringLiteral("%1 and %2 look alike in grey")
                                        .arg(QLatin1String(piechart::kCategories[i].name),
                                             QLatin1String(piechart::kCategories[j].name))));
            }
    }

    // Each figure has a description, and figure 2's gives every group's percentages in legend
    // order, as drawn: a changed chart cannot leave its description behind.
    void descriptionsMatchTheFigures() {
        const std::map<QString, QString> &descriptions =
            figureDescriptions(QStringLiteral(":/content/figure_descriptions.txt"));
        QCOMPARE(descriptions.size(), std::size_t(3));
        for (const char *caption : {"図１", "図２", "図３"})
            QVERIFY2(descriptions.count(QString::fromUtf8(caption)) &&
                         descriptions.at(QString::fromUtf8(caption)).size() > 100,
                     caption);
        const QStringList lines = descriptions.at(QStringLiteral("図２")).split(u'\n');
        for (const piechart::AgeGroup &group : piechart::kGroups) {
            QStringList parts;
            for (std::size_t i = 0; i < piechart::kCategories.size(); ++i)
                parts << QStringLiteral("%1 %2%")
                             .arg(QLatin1String(piechart::kCategories[i].name))
                             .arg(group.percent[i]);
            const QString expected =
                QLatin1String(group.caption) + u'：' + parts.join(u'、') + u'。';
            QVERIFY2(lines.contains(expected), qPrintable(expected));
        }
    }

    // A description says what a reader sees, never what an item asks the reader to work out:
    // not the hairstyles' nicknames from the article, not the animals of the footprints.
    void descriptionsGiveNoAnswers() {
        const QStringList answers{
            "Hedgehog",   "Curtain",  "Cloud",  "Onion",    "Twins",  "fox",    "cat",
            "deer",       "hare",     "rabbit", "pheasant", "bear",   "キツネ", "きつね",
            "狐",         "ネコ",     "ねこ",   "猫",       "シカ",   "鹿",     "ウサギ",
            "うさぎ",     "兎",       "キジ",   "雉",       "クマ",   "くま",   "熊",
            "ハリネズミ", "カーテン", "雲",     "タマネギ", "玉ねぎ", "ふたご", "双子"};
        for (const auto &[caption, text] :
             figureDescriptions(QStringLiteral(":/content/figure_descriptions.txt")))
            for (const QString &answer : answers) {
                // English as whole words: "Location" holds no cat.
                const QRegularExpression word(QStringLiteral("\\b%1s?\\b").arg(answer),
                                              QRegularExpression::CaseInsensitiveOption);
                QVERIFY2(
                    !(answer.at(0).unicode() < 128 ? text.contains(word) : text.contains(answer)),
                    qPrintable(caption + " names " + answer));
            }
    }

    // The format of the descriptions' file: comments, captions, trimmed blank lines.
    void readsDescriptions() {
        const auto read = readFigureDescriptions("# note\n[A]\n\none\ntwo\n\n[B]\r\nthree\r\n");
        QCOMPARE(read.size(), std::size_t(2));
        QCOMPARE(read.at(QStringLiteral("A")), QStringLiteral("one\ntwo"));
        QCOMPARE(read.at(QStringLiteral("B")), QStringLiteral("three"));
    }

    void paper2Figures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QImage>("drawn");
        QTest::newRow("1") << "figure1.jpg" << QSize(333, 117) << drawPaper2Figure1();
        QTest::newRow("2") << "figure2.jpg" << QSize(472, 227) << drawPaper2Figure2();
        QTest::newRow("3") << "figure3.jpg" << QSize(522, 304) << drawPaper2Figure3();
    }

    // The second paper's figures are drawn at the first paper's sizes, shipped as the same kind
    // of JPEG, and still what the drawing code makes.
    void paper2Figures() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QImage, drawn);
        QCOMPARE(drawn.size(), size);
        const QByteArray jpeg = paper2File(name);
        QVERIFY(jpeg.startsWith("\xff\xd8"));
        QVERIFY(jpeg.indexOf("\xff\xc0") > 0);
        QCOMPARE(jpeg.indexOf("\xff\xc2"), qsizetype(-1));
        const QImage committed = QImage::fromData(jpeg);
        QCOMPARE(committed.size(), size);
        QVERIFY2(largestDifference(QImage::fromData(encodeFigureJpeg(drawn)), committed) <= 24,
                 qPrintable("paper2/" + name + " is stale: run the figures tool"));
    }

    // The bar chart is black and white: every fill must differ from every other in grey.
    void commuteChartFillsDifferInGrey() {
        using commutechart::kActivities;
        for (std::size_t i = 0; i < kActivities.size(); ++i)
            for (std::size_t j = i + 1; j < kActivities.size(); ++j)
                QVERIFY2(greyDifference(commutechart::swatch(kActivities[i], QSize(24, 24)),
                                        commutechart::swatch(kActivities[j], QSize(24, 24))) >= 30,
                         qPrintable(QStringLiteral("%1 and %2 look alike")
                                        .arg(QLatin1String(kActivities[i].name),
                                             QLatin1String(kActivities[j].name))));
    }

    // Each bar stands on the axis at its percentage's height, inside the plot and clear of its
    // neighbours and of the legend, and the drawing puts its outline there.
    void commuteChartBarsFollowTheData() {
        using commutechart::barRect;
        const QImage chart = drawPaper2Figure2();
        for (std::size_t y = 0; y < commutechart::kYears.size(); ++y)
            for (std::size_t a = 0; a < commutechart::kActivities.size(); ++a) {
                const QRect bar = barRect(y, a);
                const QString where =
                    QStringLiteral("%1 %2").arg(QLatin1String(commutechart::kYears[y].caption),
                                                QLatin1String(commutechart::kActivities[a].name));
                QCOMPARE(bar.top() + bar.height(), 176);
                QCOMPARE(bar.height(), int(commutechart::kYears[y].percent[a] * 2.5));
                QVERIFY2(bar.left() > 40 && bar.right() < 358, qPrintable(where));
                if (a > 0)
                    QVERIFY2(barRect(y, a - 1).right() < bar.left(), qPrintable(where));
                else if (y > 0)
                    QVERIFY2(barRect(y - 1, 4).right() + 10 < bar.left(), qPrintable(where));
                for (int row = bar.top() + 1; row < bar.top() + bar.height(); ++row)
                    QVERIFY2(qGray(chart.pixel(bar.left(), row)) < 100, qPrintable(where));
            }
    }

    // Every bag and every sky is there: each slot of figure 1 and each cell of figure 3 holds
    // ink below its label.
    void paper2DrawingsFillTheirPlaces() {
        const auto ink = [](const QImage &image, const QRect &area) {
            int dark = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x)
                    dark += qGray(image.pixel(x, y)) < 200;
            return dark;
        };
        const QImage bags = drawPaper2Figure1();
        for (int i = 0; i < 5; ++i)
            QVERIFY2(ink(bags, QRect(int(i * 333 / 5.0) + 4, 4, 58, 88)) > 150,
                     qPrintable(QStringLiteral("bag %1").arg(i + 1)));
        const QImage skies = drawPaper2Figure3();
        for (int i = 0; i < 6; ++i)
            QVERIFY2(ink(skies, QRect((i % 3) * 174 + 10, (i / 3) * 152 + 30, 154, 112)) > 200,
                     qPrintable(QStringLiteral("sky %1").arg(i + 1)));
    }

    // The second paper's descriptions: one per figure, figure 2's percentages as drawn, and
    // neither the bags' nicknames nor the names of the kinds of cloud.
    void paper2Descriptions() {
        const auto descriptions = readFigureDescriptions(paper2File("figure_descriptions.txt"));
        QCOMPARE(descriptions.size(), std::size_t(3));
        for (const char *caption : {"図１", "図２", "図３"})
            QVERIFY2(descriptions.count(QString::fromUtf8(caption)) &&
                         descriptions.at(QString::fromUtf8(caption)).size() > 100,
                     caption);
        const QStringList lines = descriptions.at(QStringLiteral("図２")).split(u'\n');
        for (const commutechart::Year &year : commutechart::kYears) {
            QStringList parts;
            for (std::size_t i = 0; i < commutechart::kActivities.size(); ++i)
                parts << QStringLiteral("%1 %2%")
                             .arg(QLatin1String(commutechart::kActivities[i].name))
                             .arg(year.percent[i]);
            const QString expected =
                QLatin1String(year.caption) + u'：' + parts.join(u'、') + u'。';
            QVERIFY2(lines.contains(expected), qPrintable(expected));
        }
        const QStringList answers{"Brick",    "Shell",   "Envelope", "Bucket",     "Basket",
                                  "cirrus",   "cumulus", "stratus",  "lenticular", "anvil",
                                  "積乱雲",   "入道雲",  "巻雲",     "すじ雲",     "うろこ雲",
                                  "いわし雲", "層雲",    "レンズ雲", "笠雲"};
        for (const auto &[caption, text] : descriptions)
            for (const QString &answer : answers)
                QVERIFY2(!text.contains(answer, Qt::CaseInsensitive),
                         qPrintable(caption + " names " + answer));
    }
};

QTEST_MAIN(TestFigures)
#include "tst_figures.moc"
