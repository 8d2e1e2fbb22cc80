#include "tools/images/gifwriter.h"
#include "tools/images/housedrawings.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRandomGenerator>
#include <QTest>

namespace {

QImage committed(const char *name) {
    return QImage(QStringLiteral(EIGO_SOURCE_DIR "/content/") + QLatin1String(name));
}

// An image of `colours` distinct colours in a scattered pattern, so that the LZW table fills up.
QImage scattered(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(colours);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int c = int(random.bounded(colours));
            image.setPixel(x, y, qRgb(c, 255 - c, (c * 37) % 256));
        }
    }
    return image;
}

bool samePixels(const QImage &a, const QImage &b) {
    return a.size() == b.size() &&
           a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestHouseImages : public QObject {
    Q_OBJECT

private slots:
    void gifRoundTrip_data();
    void gifRoundTrip();
    void gifRefusesTooManyColours();
    void markIsRedRing();
    void backgroundIsYellowField();
    void committedImagesAreUpToDate();
};

// Whatever the encoder writes, a GIF reader gets back exactly the pixels it was given.
void TestHouseImages::gifRoundTrip_data() {
    QTest::addColumn<QImage>("image");
    QImage single(1, 1, QImage::Format_RGB32);
    single.fill(qRgb(1, 2, 3));
    QTest::newRow("one pixel") << single;
    QTest::newRow("two colours") << scattered(17, 9, 2);
    QTest::newRow("five colours") << scattered(64, 64, 5);
    QTest::newRow("256 colours, table resets") << scattered(300, 200, 256);
    QImage stripes(640, 40, QImage::Format_RGB32);
    for (int x = 0; x < stripes.width(); ++x) {
        for (int y = 0; y < stripes.height(); ++y)
            stripes.setPixel(x, y, x % 3 ? qRgb(255, 232, 80) : qRgb(255, 255, 255));
    }
    QTest::newRow("long runs") << stripes;
    QTest::newRow("background") << drawBackground();
}

void TestHouseImages::gifRoundTrip() {
    QFETCH(QImage, image);
    const QByteArray gif = encodeGif(image);
    QVERIFY(gif.startsWith("GIF89a"));
    QVERIFY(gif.endsWith(QByteArray("\x00\x3b", 2)));
    const QImage decoded = QImage::fromData(gif, "GIF");
    QVERIFY(!decoded.isNull());
    QVERIFY(samePixels(decoded, image));
}

// More colours than a palette holds are refused rather than silently changed.
void TestHouseImages::gifRefusesTooManyColours() {
    QVERIFY(!encodeGif(scattered(64, 64, 256)).isEmpty());
    QImage image = scattered(64, 64, 256);
    image.setPixel(0, 0, qRgb(7, 7, 7)); // not one of the 256
    QVERIFY(encodeGif(image).isEmpty());
}

// The mark is a pure red ring with paler antialiased edges, transparent inside and outside.
void TestHouseImages::markIsRedRing() {
    const QImage mark = committed("mark.png").convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(mark.size(), QSize(32, 32));
    QVERIFY(mark.hasAlphaChannel());
    for (QPoint transparent : {QPoint(16, 16), QPoint(0, 0), QPoint(31, 31), QPoint(0, 31)})
        QCOMPARE(qAlpha(mark.pixel(transparent)), 0);
    for (QPoint onRing : {QPoint(16, 3), QPoint(3, 16), QPoint(28, 16), QPoint(16, 28)})
        QCOMPARE(mark.pixel(onRing), qRgba(255, 0, 0, 255));
    int opaque = 0;
    int edge = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = mark.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            QCOMPARE(qRed(pixel), 255);
            QCOMPARE(qGreen(pixel), qBlue(pixel));
            if (qAlpha(pixel) == 255) {
                QCOMPARE(qGreen(pixel), 0);
                ++opaque;
            } else {
                QVERIFY(qGreen(pixel) > 0); // paler than the ring
                ++edge;
            }
        }
    }
    QVERIFY(opaque > 200);
    QVERIFY(edge > 40);
}

// The backdrop is a yellow field; every other pixel lies between that yellow and white.
void TestHouseImages::backgroundIsYellowField() {
    const QImage background = committed("background.gif");
    QCOMPARE(background.size(), QSize(794, 567));
    const QRgb field = background.pixel(0, 0);
    QVERIFY(qRed(field) == 255 && qGreen(field) > 200 && qBlue(field) < 128);
    int white = 0;
    int yellow = 0;
    for (int y = 0; y < background.height(); ++y) {
        for (int x = 0; x < background.width(); ++x) {
            const QRgb pixel = background.pixel(x, y);
            QVERIFY(qRed(pixel) == 255 && qGreen(pixel) >= qGreen(field) &&
                    qBlue(pixel) >= qBlue(field));
            white += qBlue(pixel) > 200;
            yellow += pixel == field;
        }
    }
    QVERIFY(yellow > background.width() * background.height() * 3 / 4);
    // Emblems spread over the whole field: some white in each of the four quarters.
    QVERIFY(white > 1000);
    for (QRect quarter : {QRect(0, 0, 397, 283), QRect(397, 0, 397, 283), QRect(0, 283, 397, 284),
                          QRect(397, 283, 397, 284)}) {
        bool found = false;
        for (int y = quarter.top(); y <= quarter.bottom() && !found; ++y) {
            for (int x = quarter.left(); x <= quarter.right() && !found; ++x)
                found = qBlue(background.pixel(x, y)) > 200;
        }
        QVERIFY(found);
    }
}

// The committed pictures are exactly what the drawing code makes (the icon's letter depends on
// the installed font, so only the two pictures drawn without one are compared).
void TestHouseImages::committedImagesAreUpToDate() {
    QVERIFY2(samePixels(committed("background.gif"), drawBackground()),
             "content/background.gif is stale: run tools/make-content.sh");
    QVERIFY2(samePixels(committed("mark.png"), drawMark()),
             "content/mark.png is stale: run tools/make-content.sh");
    QVERIFY2(samePixels(committed("background_tile.png"), drawBackgroundTile()),
             "content/background_tile.png is stale: run tools/make-content.sh");

    // The window draws the backdrop as its tile laid side by side from the corner: that must
    // be the picture, pixel for pixel, however far the picture reaches.
    const QImage background = committed("background.gif");
    const QImage tile = committed("background_tile.png");
    QImage tiled(background.size(), QImage::Format_RGB32);
    QPainter painter(&tiled);
    painter.drawTiledPixmap(tiled.rect(), QPixmap::fromImage(tile));
    painter.end();
    QVERIFY(samePixels(tiled, background));
}

QTEST_MAIN(TestHouseImages)
#include "tst_houseimages.moc"
