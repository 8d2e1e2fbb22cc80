#include "tools/figures/piechartfigure.h"

#include "toolkit/fonts.h"

#include <QPainter>
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

// Slices run clockwise from twelve o'clock in legend order.
void drawPie(QPainter &p, QPointF centre, double radius, const AgeGroup &group) {
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    double start = 90.0; // degrees, counter-clockwise from three o'clock as Qt counts
    p.setFont(pixelFont(11));
    for (std::size_t i = 0; i < kCategories.size(); ++i) {
        const double span = -3.6 * group.percent[i];
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(kCategories[i].colour));
        p.drawPie(box, qRound(start * 16), qRound(span * 16));

        // Narrow slices carry their label just outside the rim.
        const double mid = qDegreesToRadians(start + span / 2);
        const bool inside = group.percent[i] >= 10;
        const double at = inside ? radius * 0.64 : radius + 13;
        const QPointF labelCentre(centre.x() + at * qCos(mid), centre.y() - at * qSin(mid));
        p.setPen(Qt::black);
        p.drawText(QRectF(labelCentre.x() - 16, labelCentre.y() - 7, 32, 14), Qt::AlignCenter,
                   QString::number(group.percent[i]) + '%');
        start += span;
    }
}

} // namespace

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

    const double radius = 57;
    const double pieCentreY = 106;
    for (std::size_t g = 0; g < kGroups.size(); ++g) {
        const double x = 62 + 122 * static_cast<double>(g);
        drawPie(p, QPointF(x, pieCentreY), radius, kGroups[g]);
        p.setFont(pixelFont(12, true));
        p.setPen(Qt::black);
        p.drawText(QRectF(x - 61, pieCentreY + radius + 6, 122, 16), Qt::AlignCenter,
                   QString::fromLatin1(kGroups[g].caption));
    }

    // Legend, in slice order.
    const double legendLeft = 368;
    double y = 62;
    p.setFont(pixelFont(11));
    for (const Category &c : kCategories) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(QColor(c.colour));
        p.drawRect(QRectF(legendLeft, y, 11, 11));
        p.drawText(QRectF(legendLeft + 15, y - 2, kWidth - legendLeft - 15, 15),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(c.name));
        y += 20;
    }

    p.setFont(pixelFont(11));
    p.drawText(QRectF(0, 192, kWidth, 14), Qt::AlignCenter,
               QStringLiteral("Customers of Salon Komorebi; each person chose one answer."));
    return image;
}
