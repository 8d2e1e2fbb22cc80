#include <QtTest>

#include "documents/figuredescriptions.h"
#include "toolkit/fonts.h"
#include "tools/figures/figurejpeg.h"
#include "tools/figures/footprintfigure.h"
#include "tools/figures/hairstylefigure.h"
#include "tools/figures/paper2figures.h"
#include "tools/figures/paper3birdfigure.h"
#include "tools/figures/paper3chartfigure.h"
#include "tools/figures/paper3platefigure.h"
#include "tools/figures/piechartfigure.h"

// The papers' figures as shipped: the right kind of JPEG at the right size, and still what the
// drawing code makes, so a change to a drawing cannot be forgotten in content/. The first paper's
// are read from the resources; the later papers' from the source tree.

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

QByteArray paper3File(const QString &name) {
    QFile file(QStringLiteral(EIGO_SOURCE_DIR "/content/paper3/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A baseline frame (SOF0) with 8-bit samples and no progressive one (SOF2), of the given size.
void checkBaselineJpeg(const QByteArray &jpeg, QSize size) {
    QVERIFY(jpeg.startsWith("\xff\xd8"));
    const qsizetype sof0 = jpeg.indexOf("\xff\xc0");
    QVERIFY(sof0 > 0);
    QCOMPARE(int(jpeg.at(sof0 + 4)), 8);
    QCOMPARE(jpeg.indexOf("\xff\xc2"), qsizetype(-1));
    QCOMPARE(QImage::fromData(jpeg).size(), size);
}

// How many pixels of the rectangle are dark, and whether any dark pixel lies on its edge.
struct Ink {
    int dark = 0;
    bool onEdge = false;
};

Ink inkIn(const QImage &image, const QRect &area) {
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                ++ink.dark;
                if (x == area.left() || x == area.right() || y == area.top() || y == area.bottom())
                    ink.onEdge = true;
            }
    return ink;
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
        checkBaselineJpeg(shipped(name), size);
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

    // The third paper's figures: the same sizes and kind as the first paper's, and what the
    // drawing code makes today.
    void paper3Figures_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QImage>("drawn");
        QTest::newRow("1") << "figure1.jpg" << QSize(333, 117) << drawPaper3Figure1();
        QTest::newRow("2") << "figure2.jpg" << QSize(472, 227) << drawPaper3Figure2();
        QTest::newRow("3") << "figure3.jpg" << QSize(522, 304) << drawPaper3Figure3();
    }
    void paper3Figures() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QFETCH(QImage, drawn);
        const QByteArray jpeg = paper3File(name);
        checkBaselineJpeg(jpeg, size);
        const QImage remade = QImage::fromData(encodeFigureJpeg(drawn));
        QVERIFY2(largestDifference(remade, QImage::fromData(jpeg)) <= 24,
                 qPrintable(name + " is stale: run tools/make-content.sh"));
    }

    // Every plate of figure 1 and every bird of figure 3 stands whole inside its own place: ink
    // in each, none cut off at the edge of a slot or a frame.
    void paper3DrawingsFitTheirPlaces() {
        const QImage plates = drawPaper3Figure1();
        for (int i = 0; i < 5; ++i) {
            const int left = (i * 333 + 4) / 5, right = ((i + 1) * 333) / 5 - 1;
            const QRect slot(QPoint(left, 0), QPoint(right, 95));
            const Ink ink = inkIn(plates, slot);
            QVERIFY2(ink.dark > 200 && !ink.onEdge, qPrintable(QString::number(i)));
        }
        const QImage birds = drawPaper3Figure3();
        for (int i = 0; i < 6; ++i) {
            // Just inside the grey frame, which is lighter than the ink.
            const QRect cell((i % 3) * 174 + 4, (i / 3) * 152 + 4, 166, 144);
            const Ink ink = inkIn(birds, cell);
            QVERIFY2(ink.dark > 800 && !ink.onEdge, qPrintable(QString::number(i + 1)));
        }
    }

    // Figure 3 shows what the story tells the birds by: measured down the middle of each bird
    // and down one wing, the eagle's head reaches about as far in front of its wings as its tail
    // reaches behind, the hawk's head hardly shows, and the crane's outstretched neck reaches far
    // further forward than the heron's folded one.
    void paper3BirdsAsTheStoryTellsThem() {
        const QImage birds = drawPaper3Figure3();
        struct Reach {
            int ahead;  // of the wing's leading edge
            int behind; // of the wing's trailing edge
        };
        const auto reach = [&](int i) {
            const int centre = (i % 3) * 174 + 87;
            const auto span = [&](int x) {
                int top = -1, bottom = -1;
                for (int y = (i / 3) * 152 + 4; y < (i / 3 + 1) * 152 - 4; ++y)
                    if (qGray(birds.pixel(x, y)) < 128) {
                        if (top < 0)
                            top = y;
                        bottom = y;
                    }
                return std::pair{top, bottom};
            };
            const auto [front, back] = span(centre);
            const auto [leading, trailing] = span(centre + 30);
            return Reach{leading - front, back - trailing};
        };
        const Reach hawk = reach(0), eagle = reach(2), heron = reach(4), crane = reach(5);
        QVERIFY2(std::abs(eagle.ahead - eagle.behind) * 4 <= eagle.behind,
                 qPrintable(QStringLiteral("eagle %1 %2").arg(eagle.ahead).arg(eagle.behind)));
        QVERIFY2(hawk.ahead * 2 < hawk.behind,
                 qPrintable(QStringLiteral("hawk %1 %2").arg(hawk.ahead).arg(hawk.behind)));
        QVERIFY2(
            crane.ahead >= heron.ahead + 25,
            qPrintable(QStringLiteral("crane %1, heron %2").arg(crane.ahead).arg(heron.ahead)));
    }

    // Figure 2 printed in grey: each answer's fill differs from every other's.
    void paper3ChartFillsDifferInGrey() {
        using breakfastchart::kAnswers;
        const auto grey = [](const breakfastchart::Answer &a) {
            return breakfastchart::swatch(a, QSize(24, 24))
                .convertToFormat(QImage::Format_Grayscale8);
        };
        for (std::size_t i = 0; i < kAnswers.size(); ++i)
            for (std::size_t j = i + 1; j < kAnswers.size(); ++j) {
                const QImage a = grey(kAnswers[i]);
                const QImage b = grey(kAnswers[j]);
                long total = 0;
                for (int row = 0; row < a.height(); ++row)
                    for (int col = 0; col < a.width(); ++col)
                        total += std::abs(a.constScanLine(row)[col] - b.constScanLine(row)[col]);
                QVERIFY2(total / (a.width() * a.height()) >= 30,
                         qPrintable(QStringLiteral("%1 and %2 look alike in grey")
                                        .arg(QLatin1String(kAnswers[i].name),
                                             QLatin1String(kAnswers[j].name))));
            }
    }

    // The third paper's descriptions: one per figure, figure 2's with every group's percentages
    // as drawn, and none naming a plate or a bird.
    void paper3Descriptions() {
        const auto descriptions = readFigureDescriptions(paper3File("figure_descriptions.txt"));
        QCOMPARE(descriptions.size(), std::size_t(3));
        for (const char *caption : {"図１", "図２", "図３"})
            QVERIFY2(descriptions.count(QString::fromUtf8(caption)) &&
                         descriptions.at(QString::fromUtf8(caption)).size() > 100,
                     caption);
        const QStringList lines = descriptions.at(QStringLiteral("図２")).split(u'\n');
        for (const breakfastchart::AgeGroup &group : breakfastchart::kGroups) {
            QStringList parts;
            for (std::size_t i = 0; i < breakfastchart::kAnswers.size(); ++i)
                parts << QStringLiteral("%1 %2%")
                             .arg(QLatin1String(breakfastchart::kAnswers[i].name))
                             .arg(group.percent[i]);
            const QString expected =
                QLatin1String(group.caption) + u'：' + parts.join(u'、') + u'。';
            QVERIFY2(lines.contains(expected), qPrintable(expected));
        }
        const QStringList answers{
            "Mountain", "Full Moon", "Checkerboard", "Orchard", "Sunny Side", "hawk",
            "swallow",  "eagle",     "falcon",       "heron",   "crane",      "タカ",
            "鷹",       "ツバメ",    "燕",           "ワシ",    "鷲",         "ハヤブサ",
            "隼",       "サギ",      "鷺",           "ツル",    "鶴"};
        for (const auto &[caption, text] : descriptions)
            for (const QString &answer : answers) {
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
