#include "tools/figures/paper2figures.h"
#include "tools/figures/figuregrid.h"

#include "toolkit/fonts.h"

#include <QPainter>
#include <QPainterPath>

#include <initializer_list>

namespace {

QFont pixelFont(int pixels, bool bold = false) {
    QFont font = designFont(9, bold);
    font.setPixelSize(pixels);
    return font;
}

// ---- Figure 1: five bags ----------------------------------------------------------------------

const QPen kBagLine(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
const QPen kStrapLine(Qt::black, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

// Each bag is drawn about the middle of its slot, x = 0, standing on y = 86.

// The two shoulder straps of a backpack seen from behind, and the little handle at its top.
void backpackStraps(QPainter &p, double top, double bottom) {
    p.setPen(kBagLine);
    p.setBrush(Qt::white);
    for (double x : {-10.0, 6.0})
        p.drawRoundedRect(QRectF(x, top + 3, 4, bottom - top - 10), 2, 2);
    QPainterPath handle;
    handle.moveTo(-5, top);
    handle.cubicTo(-5, top - 8, 5, top - 8, 5, top);
    p.setBrush(Qt::NoBrush);
    p.drawPath(handle);
}

// A long single strap from one side of a bag, up over the shoulder and down to the other side.
void longStrap(QPainter &p, QPointF left, QPointF right, double peak, double spread) {
    QPainterPath strap;
    strap.moveTo(left);
    strap.cubicTo(left.x() - spread, peak, right.x() + spread, peak, right.x(), right.y());
    p.setPen(kStrapLine);
    p.setBrush(Qt::NoBrush);
    p.drawPath(strap);
}

void bucketBag(QPainter &p) {
    longStrap(p, {-14, 48}, {14, 48}, 0, 14);
    p.setPen(kBagLine);
    p.setBrush(Qt::white);
    // The frill above the cord, then the body gathered in under it.
    QPainterPath frill;
    frill.moveTo(-6, 37);
    frill.lineTo(-10, 29);
    for (int i = 0; i < 5; ++i) {
        const double x = -10 + 4 * i;
        frill.quadTo(x + 2, 26, x + 4, 29);
    }
    frill.lineTo(6, 37);
    frill.closeSubpath();
    p.drawPath(frill);
    QPainterPath body;
    body.moveTo(-6, 37);
    body.cubicTo(-12, 38, -14, 42, -14, 48);
    body.lineTo(-14, 81);
    body.quadTo(0, 90, 14, 81);
    body.lineTo(14, 48);
    body.cubicTo(14, 42, 12, 38, 6, 37);
    body.closeSubpath();
    p.drawPath(body);
    for (double x : {-4.0, 0.0, 4.0})
        p.drawLine(QPointF(x, 39), QPointF(x * 1.4, 46));
    // The cord drawn tight round the neck, its two ends hanging with a knot each.
    p.setPen(QPen(Qt::black, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(-7, 37), QPointF(7, 37));
    p.drawLine(QPointF(2, 37), QPointF(0, 49));
    p.drawLine(QPointF(4, 37), QPointF(6, 48));
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(0, 50), 1.6, 1.6);
    p.drawEllipse(QPointF(6, 49), 1.6, 1.6);
    // The headphone loop, a small ring on the left side near the top.
    p.setPen(kBagLine);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(-17, 55), 3, 3.5);
}

void brickBag(QPainter &p) {
    p.setPen(kBagLine);
    p.setBrush(Qt::white);
    // Side pockets first, so that the body's edge stands over their inner side; a pen in the
    // left one.
    p.drawRoundedRect(QRectF(-19.5, 49, 3, 11), 1, 1);
    p.drawRect(QRectF(-21, 58, 6, 22));
    p.drawRect(QRectF(15, 58, 6, 22));
    p.drawRect(QRectF(-16, 26, 32, 60));
    backpackStraps(p, 26, 86);
}

void basketBag(QPainter &p) {
    p.setPen(kBagLine);
    p.setBrush(Qt::NoBrush);
    QPainterPath backHandle;
    backHandle.moveTo(-10, 40);
    backHandle.cubicTo(-10, 22, 10, 22, 10, 40);
    p.drawPath(backHandle);
    // The paperback standing in the bag, leaning a little, its spine a line.
    p.save();
    p.translate(-8, 32);
    p.rotate(-8);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-6, -10, 12, 24));
    p.drawLine(QPointF(-3.5, -10), QPointF(-3.5, 14));
    p.restore();
    p.setBrush(Qt::white);
    QPainterPath body;
    body.moveTo(-18, 42);
    body.lineTo(-14, 86);
    body.lineTo(14, 86);
    body.lineTo(18, 42);
    body.closeSubpath();
    p.drawPath(body);
    // The open top: the rim's far edge as an ellipse's upper half behind the near one.
    QPainterPath rim;
    rim.moveTo(-18, 42);
    rim.cubicTo(-18, 37, 18, 37, 18, 42);
    p.setBrush(Qt::NoBrush);
    p.drawPath(rim);
    QPainterPath frontHandle;
    frontHandle.moveTo(-9, 44);
    frontHandle.cubicTo(-9, 27, 9, 27, 9, 44);
    p.drawPath(frontHandle);
}

void envelopeBag(QPainter &p) {
    longStrap(p, {-25, 54}, {25, 54}, 4, 6);
    // The phone pocket sewn on the strap's left side.
    p.setPen(kBagLine);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(-27, 24, 8, 12), 1.5, 1.5);
    p.drawRect(QRectF(-26, 52, 52, 34));
    QPainterPath flap;
    flap.moveTo(-26, 52);
    flap.lineTo(26, 52);
    flap.lineTo(26, 76);
    flap.quadTo(0, 84, -26, 76);
    flap.closeSubpath();
    p.drawPath(flap);
    // The buckle at the flap's lower edge.
    p.drawRect(QRectF(-4.5, 75, 9, 8));
    p.drawLine(QPointF(0, 75), QPointF(0, 83));
}

void shellBag(QPainter &p) {
    p.setPen(kBagLine);
    p.setBrush(Qt::white);
    const QRectF outline(-18, 26, 36, 60);
    p.drawRoundedRect(outline, 18, 15);
    // The zip follows the outline a little inside it, up one side, over the top and down.
    QPainterPath zip;
    zip.moveTo(-14.5, 80);
    zip.lineTo(-14.5, 42);
    zip.cubicTo(-14.5, 28, 14.5, 28, 14.5, 42);
    zip.lineTo(14.5, 80);
    p.setPen(QPen(Qt::black, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawPath(zip);
    p.setPen(kBagLine);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(13, 58, 3, 6));
    backpackStraps(p, 26, 86);
}

// ---- Figure 2: a bar chart --------------------------------------------------------------------

using commutechart::Activity;
using commutechart::kActivities;
using commutechart::kYears;

QImage markTile(commutechart::Fill fill) {
    QImage tile;
    switch (fill) {
    case commutechart::Fill::Stripes: // two pixels wide, rising to the right
        tile = QImage(8, 8, QImage::Format_RGB32);
        tile.fill(Qt::white);
        for (int i = 0; i < 8; ++i) {
            tile.setPixel(i, 7 - i, qRgb(0, 0, 0));
            tile.setPixel((i + 1) % 8, 7 - i, qRgb(0, 0, 0));
        }
        break;
    case commutechart::Fill::Dots: // staggered, two pixels square
        tile = QImage(6, 6, QImage::Format_RGB32);
        tile.fill(Qt::white);
        for (QPoint at : {QPoint(0, 0), QPoint(3, 3)})
            for (int dy = 0; dy < 2; ++dy)
                for (int dx = 0; dx < 2; ++dx)
                    tile.setPixel(at.x() + dx, at.y() + dy, qRgb(0, 0, 0));
        break;
    case commutechart::Fill::Lines: // level, one pixel every four
        tile = QImage(4, 4, QImage::Format_RGB32);
        tile.fill(Qt::white);
        for (int x = 0; x < 4; ++x)
            tile.setPixel(x, 0, qRgb(0, 0, 0));
        break;
    case commutechart::Fill::Solid:
    case commutechart::Fill::Plain:
        break;
    }
    return tile;
}

void fillArea(QPainter &p, const QRectF &area, commutechart::Fill fill) {
    if (fill == commutechart::Fill::Solid) {
        p.fillRect(area, Qt::black);
    } else if (fill == commutechart::Fill::Plain) {
        p.fillRect(area, Qt::white);
    } else {
        // Whole pixels, unsmoothed, from the image's own origin so that neighbouring bars line up.
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(area, QBrush(markTile(fill)));
        p.restore();
    }
}

// The chart's plot area and bars.
constexpr int kPlotLeft = 40;
constexpr int kPlotRight = 348;
constexpr int kZero = 176;
constexpr double kPerPercent = 2.5;
constexpr int kBarWidth = 14;
constexpr int kBarGap = 2;
constexpr int kGroupWidth = 5 * kBarWidth + 4 * kBarGap;

// ---- Figure 3: six skies ----------------------------------------------------------------------

const QColor kCloudFill(236, 236, 236);
const QPen kCloudLine(QColor(70, 70, 70), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

struct Bulge {
    QPointF centre;
    double radius;
};

// The outline of overlapping round bulges as one shape, with no line where two of them overlap.
QPainterPath bulges(std::initializer_list<Bulge> parts) {
    QPainterPath shape;
    for (const Bulge &b : parts) {
        QPainterPath circle;
        circle.addEllipse(b.centre, b.radius, b.radius);
        shape = shape.united(circle);
    }
    return shape;
}

// A heap of round bulges cut off flat at its base.
QPainterPath puff(double cx, double base, double width, double height) {
    const double r = height * 0.5;
    QPainterPath heap = bulges({{QPointF(cx - width * 0.3, base - r * 0.7), r * 0.8},
                                {QPointF(cx, base - height + r * 1.1), r * 1.1},
                                {QPointF(cx + width * 0.28, base - r * 0.75), r * 0.9}});
    QPainterPath above;
    above.addRect(QRectF(cx - width, base - 3 * height, 2 * width, 3 * height));
    return heap.intersected(above);
}

void drawCloud(QPainter &p, const QPainterPath &cloud) {
    p.setPen(kCloudLine);
    p.setBrush(kCloudFill);
    p.drawPath(cloud);
}

void smallPuffs(QPainter &p) {
    drawCloud(p, puff(-45, -22, 40, 22));
    drawCloud(p, puff(30, -38, 34, 19));
    drawCloud(p, puff(-5, 22, 46, 24));
    drawCloud(p, puff(55, 40, 30, 17));
}

void flatToppedTower(QPainter &p) {
    QPainterPath tower;
    // Rows of bulges from the foot up; the lowest row lies below the frame, so the column comes in
    // from under the frame's bottom edge.
    const double base = 62;
    for (int i = -1; i < 6; ++i) {
        const double y = base - 4 - 14 * i;
        const double half = 13 - 0.8 * i;
        tower = tower.united(
            bulges({{QPointF(-half, y), 12}, {QPointF(0, y - 3), 12}, {QPointF(half, y - 6), 12}}));
    }
    // The column's last bulges lean right; one more on the left, the mirror of the top right
    // one, meets the spreading top where the right edge does, with no notch under it.
    tower = tower.united(bulges({{QPointF(-9, -18), 12}}));
    QPainterPath top;
    top.moveTo(-18, -26);
    top.cubicTo(-40, -32, -64, -38, -70, -50);
    top.lineTo(70, -50);
    top.cubicTo(64, -38, 40, -32, 18, -26);
    top.closeSubpath();
    QPainterPath cloud = tower.united(top);
    // Cut flat at the top only: the column runs on below the frame, which hides its foot.
    QPainterPath clip;
    clip.addRect(QRectF(-80, -50, 160, base + 70));
    drawCloud(p, cloud.intersected(clip));
}

void lensOnPeak(QPainter &p) {
    QPainterPath mountain;
    mountain.moveTo(-75, 68);
    mountain.lineTo(-30, 30);
    mountain.lineTo(0, -10);
    mountain.lineTo(34, 32);
    mountain.lineTo(75, 68);
    mountain.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(QColor(150, 150, 150));
    p.drawPath(mountain);
    QPainterPath lens;
    lens.moveTo(-50, -14);
    lens.cubicTo(-30, -34, 30, -34, 50, -14);
    lens.cubicTo(30, -5, -30, -5, -50, -14);
    lens.closeSubpath();
    drawCloud(p, lens);
}

void rowsOfScales(QPainter &p) {
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(kCloudFill);
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 10; ++col) {
            const double x = -72 + 16 * col + (row % 2 ? 8 : 0);
            const double y = -52 + 14 * row;
            if (x > 74)
                continue;
            p.drawEllipse(QPointF(x, y), 6.5, 4.5);
        }
}

void hookedThreads(QPainter &p) {
    p.setPen(QPen(QColor(80, 80, 80), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    const QPointF starts[] = {{-78, -18}, {-40, -34}, {-70, 18}, {-20, 4}, {10, -44}};
    for (QPointF s : starts) {
        QPainterPath thread;
        thread.moveTo(s);
        thread.cubicTo(s + QPointF(22, -1), s + QPointF(42, -6), s + QPointF(54, -16));
        thread.cubicTo(s + QPointF(62, -22), s + QPointF(62, -31), s + QPointF(55, -31));
        thread.cubicTo(s + QPointF(50, -31), s + QPointF(49, -26), s + QPointF(53, -24));
        p.drawPath(thread);
    }
}

void layerOverHills(QPainter &p) {
    QPainterPath hills;
    hills.moveTo(-82, 68);
    hills.lineTo(-82, 30);
    hills.cubicTo(-62, -14, -34, -14, -12, 36);
    hills.cubicTo(12, -6, 52, -10, 82, 32);
    hills.lineTo(82, 68);
    hills.closeSubpath();
    p.setPen(QPen(QColor(60, 60, 60), 1.2));
    p.setBrush(QColor(150, 150, 150));
    p.drawPath(hills);
    QPainterPath layer;
    layer.moveTo(-82, -24);
    layer.lineTo(82, -24);
    layer.lineTo(82, 12);
    for (int i = 0; i < 8; ++i) {
        const double x = 82 - 20.5 * (i + 1);
        layer.quadTo(x + 10.25, i % 2 ? 17 : 8, x, 12);
    }
    layer.closeSubpath();
    p.setPen(kCloudLine);
    p.setBrush(QColor(190, 190, 190));
    p.drawPath(layer);
}

} // namespace

QImage drawPaper2Figure1() {
    constexpr int width = 333;
    constexpr int height = 117;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    using Draw = void (*)(QPainter &);
    const Draw bags[] = {bucketBag, brickBag, basketBag, envelopeBag, shellBag};
    const QStringList labels{"ア", "イ", "ウ", "エ", "オ"};
    const double slot = width / 5.0;
    p.setFont(pixelFont(14));
    for (int i = 0; i < 5; ++i) {
        const double centre = slot * (i + 0.5);
        p.save();
        p.translate(centre, 4);
        bags[i](p);
        p.restore();
        p.setPen(Qt::black);
        p.drawText(QRectF(centre - 15, 96, 30, 18), Qt::AlignCenter, labels[i]);
    }
    return image;
}

QImage commutechart::swatch(const Activity &activity, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    fillArea(p, QRectF(QPointF(0, 0), size), activity.fill);
    return image;
}

QRect commutechart::barRect(std::size_t year, std::size_t activity) {
    const double space = (kPlotRight - kPlotLeft - 3.0 * kGroupWidth) / 4.0;
    const int groupLeft = kPlotLeft + int(space * double(year + 1)) + kGroupWidth * int(year);
    const int height = int(kYears[year].percent[activity] * kPerPercent);
    return {groupLeft + int(activity) * (kBarWidth + kBarGap), kZero - height, kBarWidth, height};
}

QImage drawPaper2Figure2() {
    constexpr int width = 472;
    constexpr int height = 227;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);

    p.setPen(Qt::black);
    p.setFont(pixelFont(13, true));
    p.drawText(QRectF(0, 4, width, 18), Qt::AlignCenter,
               QStringLiteral("What do you spend the most time doing on your commute?"));

    // The axis: 0 to 50 percent, a faint line every ten.
    p.setFont(pixelFont(10));
    for (int v = 0; v <= 50; v += 10) {
        const int y = kZero - int(v * kPerPercent);
        p.setPen(v == 0 ? QPen(Qt::black, 1) : QPen(QColor(190, 190, 190), 1, Qt::DotLine));
        p.drawLine(kPlotLeft, y, kPlotRight, y);
        p.setPen(Qt::black);
        p.drawText(QRectF(4, y - 7, kPlotLeft - 8, 14), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(v) + '%');
    }
    p.drawLine(kPlotLeft, kZero, kPlotLeft, kZero - int(50 * kPerPercent));

    for (std::size_t g = 0; g < kYears.size(); ++g) {
        const int groupLeft = commutechart::barRect(g, 0).left();
        for (std::size_t a = 0; a < kActivities.size(); ++a) {
            const int percent = kYears[g].percent[a];
            const QRect bar = commutechart::barRect(g, a);
            fillArea(p, bar, kActivities[a].fill);
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(bar).adjusted(0.5, 0.5, -0.5, 0.5));
            p.setFont(pixelFont(10));
            p.drawText(QRectF(bar.left() - 4, bar.top() - 14, kBarWidth + 8, 13), Qt::AlignCenter,
                       QString::number(percent));
        }
        p.setFont(pixelFont(12, true));
        p.drawText(QRectF(groupLeft - 10, kZero + 5, kGroupWidth + 20, 16), Qt::AlignCenter,
                   QString::fromLatin1(kYears[g].caption));
    }

    // Legend, in bar order.
    const int legendLeft = 358;
    int y = 58;
    p.setFont(pixelFont(11));
    for (const Activity &a : kActivities) {
        const QRect key(legendLeft, y, 18, 13);
        p.drawImage(key.topLeft(), commutechart::swatch(a, key.size()));
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(key).adjusted(0.5, 0.5, -0.5, -0.5));
        p.drawText(QRectF(legendLeft + 23, y - 1, width - legendLeft - 23, 15),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(a.name));
        y += 21;
    }

    // A note, so no full stop, as in the first paper's chart.
    p.setFont(pixelFont(11));
    p.drawText(QRectF(0, 203, width, 14), Qt::AlignCenter,
               QStringLiteral("Students who come by train or bus; each student chose one answer"));
    return image;
}

QImage drawPaper2Figure3() {
    constexpr int width = 522;
    constexpr int height = 304;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    using Draw = void (*)(QPainter &);
    const Draw skies[] = {smallPuffs,   flatToppedTower, lensOnPeak,
                          rowsOfScales, hookedThreads,   layerOverHills};
    drawNumberedCells(p, QSizeF(width, height), 3, 2,
                      [&](QPainter &painter, const QRectF &cell, int i) {
                          painter.translate(cell.center() + QPointF(0, 6));
                          skies[i](painter);
                      });
    return image;
}
