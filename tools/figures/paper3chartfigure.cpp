#include "tools/figures/paper3chartfigure.h"

#include "toolkit/fonts.h"

#include <QPainter>

namespace {

constexpr int kWidth = 472;
constexpr int kHeight = 227;

using breakfastchart::Answer;
using breakfastchart::Fill;
using breakfastchart::kAnswers;
using breakfastchart::kGroups;

const QColor kSolid(60, 60, 60);
const QColor kInk(0, 0, 0);

QFont pixelFont(int pixels, bool bold = false) {
    QFont font = designFont(9, bold);
    font.setPixelSize(pixels);
    return font;
}

// The marks of a fill as a tile that repeats; whole pixels keep them crisp through the JPEG.
QImage markTile(Fill fill) {
    QImage tile;
    switch (fill) {
    case Fill::Stripes: // two pixels wide, rising to the right, on white
        tile = QImage(6, 6, QImage::Format_RGB32);
        tile.fill(Qt::white);
        for (int i = 0; i < 6; ++i) {
            tile.setPixel(i, 5 - i, kInk.rgb());
            tile.setPixel((i + 1) % 6, 5 - i, kInk.rgb());
        }
        break;
    case Fill::Dots: // staggered, two pixels square, on light grey
        tile = QImage(6, 6, QImage::Format_RGB32);
        tile.fill(QColor(205, 205, 205));
        for (QPoint at : {QPoint(0, 0), QPoint(3, 3)})
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    tile.setPixel(at.x() + dx, at.y() + dy, kInk.rgb());
        break;
    case Fill::Solid:
    case Fill::Plain:
        break;
    }
    return tile;
}

void fillArea(QPainter &p, const QRectF &area, Fill fill) {
    switch (fill) {
    case Fill::Solid:
        p.fillRect(area, kSolid);
        break;
    case Fill::Plain:
        p.fillRect(area, Qt::white);
        break;
    case Fill::Stripes:
    case Fill::Dots:
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(area, QBrush(markTile(fill)));
        p.restore();
        break;
    }
}

// A percentage in the middle of its part of a bar: white on the solid fill, otherwise black on a
// white ground that keeps it clear of the marks.
void drawLabel(QPainter &p, const QRectF &part, const QString &text, Fill fill) {
    if (fill != Fill::Solid && fill != Fill::Plain) {
        const double width = p.fontMetrics().horizontalAdvance(text) + 3;
        p.fillRect(QRectF(part.center().x() - width / 2, part.center().y() - 6.5, width, 13),
                   Qt::white);
    }
    p.setPen(fill == Fill::Solid ? Qt::white : Qt::black);
    p.drawText(part, Qt::AlignCenter, text);
}

} // namespace

QImage breakfastchart::swatch(const Answer &answer, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    fillArea(p, QRectF(QPointF(0, 0), size), answer.fill);
    return image;
}

QImage drawPaper3Figure2() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(Qt::black);
    p.setFont(pixelFont(13, true));
    p.drawText(QRectF(0, 4, kWidth, 18), Qt::AlignCenter,
               QStringLiteral("How many days a week do you usually eat breakfast?"));

    // One bar per group, 100 percent wide, its parts in legend order from the left.
    const double left = 118;
    const double width = 330;
    const double barHeight = 24;
    double y = 32;
    for (const auto &group : kGroups) {
        p.setFont(pixelFont(12, true));
        p.setPen(Qt::black);
        p.drawText(QRectF(4, y, left - 10, barHeight), Qt::AlignRight | Qt::AlignVCenter,
                   QString::fromLatin1(group.caption));
        double x = left;
        p.setFont(pixelFont(11));
        for (std::size_t i = 0; i < kAnswers.size(); ++i) {
            const double w = width * group.percent[i] / 100.0;
            const QRectF part(x, y, w, barHeight);
            fillArea(p, part, kAnswers[i].fill);
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(part.adjusted(0.5, 0.5, -0.5, -0.5));
            drawLabel(p, part, QString::number(group.percent[i]) + '%', kAnswers[i].fill);
            x += w;
        }
        y += barHeight + 12;
    }

    // Legend in one row under the bars; the keys are big enough to show their marks.
    const int keyTop = 180;
    const int keyWidth = 20, keyGap = 5, between = 18;
    p.setFont(pixelFont(11));
    int legendWidth = -between;
    for (const Answer &a : kAnswers)
        legendWidth += keyWidth + keyGap +
                       p.fontMetrics().horizontalAdvance(QString::fromLatin1(a.name)) + between;
    int x = (kWidth - legendWidth) / 2;
    for (const Answer &a : kAnswers) {
        const QRect key(x, keyTop, keyWidth, 13);
        p.drawImage(key.topLeft(), breakfastchart::swatch(a, key.size()));
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(key).adjusted(0.5, 0.5, -0.5, -0.5));
        const QString name = QString::fromLatin1(a.name);
        p.drawText(QRectF(x + keyWidth + keyGap, keyTop - 1, 100, 15),
                   Qt::AlignLeft | Qt::AlignVCenter, name);
        x += keyWidth + keyGap + p.fontMetrics().horizontalAdvance(name) + between;
    }

    // A note, so no full stop.
    p.drawText(
        QRectF(0, 204, kWidth, 14), Qt::AlignCenter,
        QStringLiteral("800 people asked by the school cooking club; each chose one answer"));
    return image;
}
