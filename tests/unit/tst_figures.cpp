#include <QtTest>

#include "toolkit/fonts.h"
#include "tools/figures/figurejpeg.h"
#include "tools/figures/footprintfigure.h"
#include "tools/figures/hairstylefigure.h"
#include "tools/figures/piechartfigure.h"

// The paper's figures as shipped: the right kind of JPEG at the right size, and still what the
// drawing code makes, so a change to a drawing cannot be forgotten in content/.

namespace {

QByteArray shipped(const QString &name) {
    QFile file(QStringLiteral(":/content/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
};

QTEST_MAIN(TestFigures)
#include "tst_figures.moc"
