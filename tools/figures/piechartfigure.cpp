#include "tools/figures/piechartfigure.h"

#include "toolkit/fonts.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

constexpr int kWidth = 472;
constexpr int kHeight = 227;

using piechart::AgeGroup;
using piechart::Category;
using piechart::kCategories;
using piechart::kGroups;

QFont pixelFont(int pixels, bool bold = false) {
    QFont font = designFont(9, bold);
    font.setPixelSize(pixels);
    return font;
}

// The marks of one fill as a tile that repeats across the image; transparent between the marks
// so that the colour under them shows. Whole pixels keep the marks crisp through the JPEG.
QImage markTile(const Category &c) {
    const QRgb ink = c.ink;
    QImage tile;
    switch (c.fill) {
    case piechart::Fill::Stripes: // two pixels wide, rising to the right
        tile = QImage(8, 8, QImage::Format_ARGB32);
        tile.fill(Qt::transparent);
        for (int i = 0; i < 8; ++i) {
            tile.setPixel(i, 7 - i, ink);
            tile.setPixel((i + 1) % 8, 7 - i, ink);
        }
        break;
    case piechart::Fill::Dots: // staggered, two pixels square
        tile = QImage(6, 6, QImage::Format_ARGB32);
        tile.fill(Qt::transparent);
        for (QPoint at : {QPoint(0, 0), QPoint(3, 3)})
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    tile.setPixel(at.x() + dx, at.y() + dy, ink);
        break;
    case piechart::Fill::Lines: // level, one pixel every four
        tile = QImage(4, 4, QImage::Format_ARGB32);
        tile.fill(Qt::transparent);
        for (int x = 0; x < 4; ++x)
            tile.setPixel(x, 0, ink);
        break;
    case piechart::Fill::Plain:
    case piechart::Fill::Solid:
        break;
    }
    return tile;
}

void fillArea(QPainter &p, const QPainterPath &area, const Category &c) {
    p.fillPath(area, QColor(c.fill == piechart::Fill::Solid ? c.ink : c.colour));
    const QImage tile = markTile(c);
    if (!tile.isNull()) {
        // Whole pixels, unsmoothed; the slice's outline drawn over them smooths the edge.
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillPath(area, QBrush(tile));
        p.restore();
    }
}

// A percentage on a white ground, so that it reads over any marks; white itself on a solid fill.
void drawLabel(QPainter &p, QPointF centre, const QString &text, const Category *on) {
    const QRectF box(centre.x() - 16, centre.y() - 7, 32, 14);
    const bool solid = on && on->fill == piechart::Fill::Solid;
    if (on && !solid) {
        const double width = p.fontMetrics().horizontalAdvance(text) + 4;
        p.fillRect(QRectF(centre.x() - width / 2, centre.y() - 6.5, width, 13), Qt::white);
    }
    p.setPen(solid ? Qt::white : Qt::black);
    p.drawText(box, Qt::AlignCenter, text);
}

// Slices run clockwise from twelve o'clock in legend order.
void drawPie(QPainter &p, QPointF centre, double radius, const AgeGroup &group) {
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    double start = 90.0; // degrees, counter-clockwise from three o'clock as Qt counts
    std::array<double, kCategories.size()> middles{};
    for (std::size_t i = 0; i < kCategories.size(); ++i) {
        const double span = -3.6 * group.percent[i];
        QPainterPath slice(centre);
        slice.arcTo(box, start, span);
        slice.closeSubpath();
        fillArea(p, slice, kCategories[i]);
        p.strokePath(slice, QPen(Qt::black, 1));
        middles[i] = qDegreesToRadians(start + span / 2);
        start += span;
    }
    // Labels last, so that no later slice paints over one.
    p.setFont(pixelFont(11));
    for (std::size_t i = 0; i < kCategories.size(); ++i) {
        // Narrow slices carry their label just outside the rim, and those just wide enough for
        // one towards the rim, where they are widest.
        const int percent = group.percent[i];
        const bool inside = percent >= 10;
        const double at = !inside ? radius + 13 : percent == 10 ? radius * 0.67 : radius * 0.6;
        const QPointF labelCentre(centre.x() + at * qCos(middles[i]),
                                  centre.y() - at * qSin(middles[i]));
        drawLabel(p, labelCentre, QString::number(percent) + '%',
                  inside ? &kCategories[i] : nullptr);
    }
}

} // namespace

QImage piechart::swatch(const Category &category, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    QPainterPath area;
    area.addRect(QRectF(QPointF(0, 0), size));
    fillArea(p, area, category);
    return image;
}

QImage drawPieChartFigure() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(Qt::black);
    p.setFont(pixelFont(13, true));
    p.drawText(QRectF(0, 4, kWidth, 18), Qt::AlignCenter,
               QStringLiteral("What matters most when choosing a hair salon?"));

    // Close enough together to leave the legend room for its keys' marks.
    const double radius = 56;
    const double pieCentreY = 106;
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const double x = 60 + 120 * static_cast<double>(g);
        drawPie(p, QPointF(x, pieCentreY), radius, kGroups[g]);
        p.setFont(pixelFont(12, true));
        p.setPen(Qt::black);
        p.drawText(QRectF(x - 60, pieCentreY + radius + 7, 120, 16), Qt::AlignCenter,
                   QString::fromLatin1(kGroups[g].caption));
    }

    // Legend, in slice order; the keys are big enough to show their marks.
    const int legendLeft = 361;
    int y = 58;
    p.setFont(pixelFont(11));
    for (const Category &c : kCategories) {
        const QRect key(legendLeft, y, 18, 13);
        p.drawImage(key.topLeft(), piechart::swatch(c, key.size()));
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(key).adjusted(0.5, 0.5, -0.5, -0.5));
        p.drawText(QRectF(legendLeft + 23, y - 1, kWidth - legendLeft - 23, 15),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(c.name));
        y += 21;
    }

    // A note, so no full stop: at this size the Gothic face's stop reads as a comma.
    p.setFont(pixelFont(11));
    p.drawText(QRectF(0, 192, kWidth, 14), Qt::AlignCenter,
               QStringLiteral("Customers of Salon Komorebi; each person chose one answer"));
    return image;
}
