#include "tools/figures/footprintfigure.h"
#include "tools/figures/figuregrid.h"

#include "toolkit/fonts.h"

#include <optional>
#include <vector>

#include <QPainter>
#include <QPainterPath>

namespace {

constexpr int kWidth = 522;
constexpr int kHeight = 304;
constexpr int kColumns = 3;
constexpr int kRows = 2;

const QColor kPrint(60, 60, 60);

// Each print is drawn about its own centre, pointing up (the way the animal walked).
void toe(QPainter &p, double x, double y, double rx, double ry) {
    p.drawEllipse(QPointF(x, y), rx, ry);
}

// A claw that only just touches the snow leaves a dot; one dug in leaves a line.
void clawDot(QPainter &p, double x, double y) {
    p.drawEllipse(QPointF(x, y), 1.5, 1.5);
}

void clawMark(QPainter &p, double x, double y, double length) {
    p.save();
    p.setPen(QPen(kPrint, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x, y), QPointF(x, y - length));
    p.restore();
}

void foxPrint(QPainter &p) {
    QPainterPath pad;
    pad.moveTo(0, 2);
    pad.cubicTo(7, 2, 9, 12, 6, 14);
    pad.cubicTo(3, 15, -3, 15, -6, 14);
    pad.cubicTo(-9, 12, -7, 2, 0, 2);
    p.drawPath(pad);
    toe(p, -9, -2, 3.2, 4.2);
    toe(p, 9, -2, 3.2, 4.2);
    toe(p, -3.5, -11, 3.2, 4.5);
    toe(p, 3.5, -11, 3.2, 4.5);
    clawDot(p, -10, -9);
    clawDot(p, 10, -9);
    clawDot(p, -3.8, -18.3);
    clawDot(p, 3.8, -18.3);
}

void catPrint(QPainter &p) {
    QPainterPath pad;
    pad.moveTo(-9, 12);
    pad.cubicTo(-12, 4, -6, -1, 0, 1);
    pad.cubicTo(6, -1, 12, 4, 9, 12);
    pad.cubicTo(5, 15, -5, 15, -9, 12);
    p.drawPath(pad);
    toe(p, -12, -4, 3.3, 4);
    toe(p, -4.5, -10, 3.3, 4.2);
    toe(p, 4.5, -10, 3.3, 4.2);
    toe(p, 12, -4, 3.3, 4);
}

void deerPrint(QPainter &p) {
    for (int side : {-1, 1}) {
        QPainterPath half;
        half.moveTo(side * 1.5, -16);
        half.cubicTo(side * 9, -8, side * 10, 8, side * 8, 14);
        half.cubicTo(side * 6, 16, side * 2, 16, side * 1.5, 13);
        half.closeSubpath();
        p.drawPath(half);
    }
}

void hareHindPrint(QPainter &p, double x) {
    // A long, narrow hind foot; furry toes leave soft separate marks at the front.
    p.drawEllipse(QRectF(x - 6, -14, 12, 36));
    toe(p, x - 4, -18, 2.5, 3);
    toe(p, x, -21, 2.5, 3.2);
    toe(p, x + 4, -18, 2.5, 3);
}

void hareTrack(QPainter &p) {
    // A running hare's group: the big hind feet land side by side ahead of the small front
    // feet, which fall one behind the other.
    hareHindPrint(p, -11);
    hareHindPrint(p, 11);
    p.drawEllipse(QRectF(-4, 28, 8, 10));
    p.drawEllipse(QRectF(-4, 44, 8, 10));
}

void pheasantPrint(QPainter &p) {
    p.save();
    p.setPen(QPen(kPrint, 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(0, 4), QPointF(0, -16));
    p.drawLine(QPointF(0, 4), QPointF(-11, -11));
    p.drawLine(QPointF(0, 4), QPointF(11, -11));
    p.drawLine(QPointF(0, 4), QPointF(0, 14));
    p.restore();
}

void bearPrint(QPainter &p) {
    QPainterPath pad;
    pad.moveTo(-22, 2);
    pad.cubicTo(-20, -4, 20, -4, 22, 2);
    pad.cubicTo(24, 14, 12, 26, 0, 24);
    pad.cubicTo(-12, 26, -24, 14, -22, 2);
    p.drawPath(pad);
    const double xs[5] = {-20, -10, 0, 10, 20};
    const double ys[5] = {-10, -13, -14, -13, -10};
    for (int i = 0; i < 5; ++i) {
        toe(p, xs[i], ys[i], 4.2, 5);
        clawMark(p, xs[i], ys[i] - 7, 8);
    }
}

using PrintFn = void (*)(QPainter &);

// One pair: the two prints a walking animal leaves, offset as left and right feet, or side by
// side where the animal lands with both feet together.
struct Pair {
    PrintFn print;
    double scale;
    QPointF first;
    std::optional<QPointF> second; // none where one drawing shows the whole group
};

void drawPair(QPainter &p, const QRectF &cell, const Pair &pair) {
    p.setPen(Qt::NoPen);
    p.setBrush(kPrint);
    std::vector<QPointF> places{pair.first};
    if (pair.second)
        places.push_back(*pair.second);
    for (QPointF at : places) {
        p.save();
        p.translate(cell.center() + at);
        p.scale(pair.scale, pair.scale);
        pair.print(p);
        p.restore();
    }
}

} // namespace

QImage drawFootprintFigure() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const Pair pairs[kColumns * kRows] = {
        {foxPrint, 1.4, {-5, 26}, QPointF(5, -26)},
        {catPrint, 1.4, {-5, 26}, QPointF(5, -26)},
        {deerPrint, 1.4, {-20, 24}, QPointF(20, -24)},
        {hareTrack, 1.4, {0, -14}, std::nullopt},
        {pheasantPrint, 1.4, {-22, 24}, QPointF(22, -24)},
        {bearPrint, 1.3, {-38, 24}, QPointF(38, -20)},
    };
    drawNumberedCells(p, QSizeF(kWidth, kHeight), kColumns, kRows,
                      [&](QPainter &painter, const QRectF &cell, int i) {
                          drawPair(painter, cell.adjusted(0, 10, 0, 0), pairs[i]);
                      });
    return image;
}
