#include "tools/figures/paper3birdfigure.h"
#include "tools/figures/figuregrid.h"

#include "toolkit/fonts.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <QtMath>

namespace {

constexpr int kWidth = 522;
constexpr int kHeight = 304;
constexpr int kColumns = 3;
constexpr int kRows = 2;

const QColor kShape(35, 35, 35);

// Every bird is drawn about the middle of its body, flying up the page, with its right wing (as
// seen from below, on the right) drawn once and mirrored.
QPainterPath bothSides(const QPainterPath &right) {
    return right.united(QTransform::fromScale(-1, 1).map(right));
}

QPainterPath ellipse(QPointF centre, double rx, double ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

// A long feather at a wing's end or a trailing leg: a stroke with round ends.
QPainterPath stroke(QPointF from, QPointF to, double width) {
    QPainterPath line;
    line.moveTo(from);
    line.lineTo(to);
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    return stroker.createStroke(line);
}

// Feathers spread from a wing's end like the fingers of an open hand.
QPainterPath fingers(QPointF root, int count, double fromDeg, double toDeg, double length,
                     double width) {
    QPainterPath all;
    for (int i = 0; i < count; ++i) {
        const double a = qDegreesToRadians(fromDeg + (toDeg - fromDeg) * i / (count - 1));
        const QPointF start = root + QPointF(0, (i - (count - 1) / 2.0) * width * 1.25);
        all = all.united(stroke(start, start + QPointF(length * qCos(a), length * qSin(a)), width));
    }
    return all;
}

// ①: broad, rounded wings, a short tail spread like a fan, a head that hardly shows.
QPainterPath hawk() {
    QPainterPath wing;
    wing.moveTo(4, -12);
    wing.cubicTo(20, -17, 44, -18, 57, -13);
    wing.cubicTo(66, -9, 67, 2, 60, 6);
    wing.cubicTo(48, 13, 24, 15, 4, 12);
    wing.closeSubpath();
    QPainterPath tail;
    tail.moveTo(-5, 12);
    tail.lineTo(-16, 37);
    tail.quadTo(0, 45, 16, 37);
    tail.lineTo(5, 12);
    tail.closeSubpath();
    return bothSides(wing)
        .united(ellipse({0, -2}, 7.5, 19))
        .united(ellipse({0, -20}, 5.5, 5))
        .united(tail);
}

// ②: slender wings swept back to sharp points, a long tail split into two points.
QPainterPath swallow() {
    QPainterPath wing;
    wing.moveTo(3, -6);
    wing.cubicTo(22, -13, 42, -6, 58, 13);
    wing.cubicTo(40, 3, 20, 4, 3, 6);
    wing.closeSubpath();
    const QPainterPath tail =
        polygon({{-4, 8}, {-14, 50}, {-10, 51}, {0, 24}, {10, 51}, {14, 50}, {4, 8}});
    return bothSides(wing)
        .united(ellipse({0, 0}, 5, 13))
        .united(ellipse({0, -13}, 4.5, 4.5))
        .united(tail);
}

// ③: long wings held flat, as straight as a board, their ends spread into fingers; a big head
// reaching as far in front of the wings as the short tail reaches behind them.
QPainterPath eagle() {
    QPainterPath wing;
    wing.moveTo(5, -12);
    wing.lineTo(50, -13);
    wing.quadTo(55, -13, 55, -8);
    wing.lineTo(55, 12);
    wing.quadTo(55, 17, 50, 17);
    wing.lineTo(5, 18);
    wing.closeSubpath();
    const QPainterPath tail = polygon({{-8, 16}, {-12, 42}, {0, 45}, {12, 42}, {8, 16}});
    QPainterPath neck;
    neck.addRoundedRect(QRectF(-6, -36, 12, 26), 5, 5);
    return bothSides(wing.united(fingers({53, 2}, 5, -32, 24, 17, 4.5)))
        .united(ellipse({0, 2}, 9, 19))
        .united(neck)
        .united(ellipse({0, -36}, 7, 7.5))
        .united(tail);
}

// ④: pointed wings bent back like a bow from the wrist, a long narrow tail.
QPainterPath falcon() {
    QPainterPath wing;
    wing.moveTo(3, -10);
    wing.cubicTo(14, -15, 26, -15, 33, -10);
    wing.quadTo(50, 0, 62, 22);
    wing.quadTo(40, 7, 3, 7);
    wing.closeSubpath();
    const QPainterPath tail = polygon({{-4, 10}, {-6, 50}, {6, 50}, {4, 10}});
    return bothSides(wing)
        .united(ellipse({0, -2}, 6, 16))
        .united(ellipse({0, -18}, 5, 5))
        .united(tail);
}

// Long legs trailing well behind the tail.
QPainterPath legs(double from, double to) {
    return stroke({-3, from}, {-4.5, to}, 2.6).united(stroke({3, from}, {4.5, to}, 2.6));
}

// ⑤: broad rounded wings, the neck folded back so that the head rests on the shoulders with the
// bill pointing forward, legs trailing.
QPainterPath heron() {
    QPainterPath wing;
    wing.moveTo(6, -12);
    wing.cubicTo(25, -20, 50, -18, 63, -7);
    wing.quadTo(70, 3, 60, 9);
    wing.cubicTo(40, 14, 20, 16, 6, 12);
    wing.closeSubpath();
    const QPainterPath tail = polygon({{-6, 12}, {-8, 27}, {8, 27}, {6, 12}});
    const QPainterPath bill = polygon({{-2.2, -28}, {0, -42}, {2.2, -28}});
    return bothSides(wing)
        .united(ellipse({0, 0}, 9, 17))
        .united(ellipse({0, -18}, 10, 8))
        .united(ellipse({0, -25}, 5, 5))
        .united(bill)
        .united(tail)
        .united(legs(16, 60));
}

// ⑥: long straight wings with fingers, the neck stretched straight out in front, legs trailing.
QPainterPath crane() {
    QPainterPath wing;
    wing.moveTo(5, -11);
    wing.lineTo(50, -12);
    wing.quadTo(55, -12, 55, -7);
    wing.lineTo(55, 8);
    wing.quadTo(55, 12, 50, 12);
    wing.lineTo(5, 14);
    wing.closeSubpath();
    QPainterPath neck;
    neck.addRoundedRect(QRectF(-2.5, -56, 5, 44), 2, 2);
    const QPainterPath bill = polygon({{-1.6, -58}, {0, -70}, {1.6, -58}});
    return bothSides(wing.united(fingers({53, 0}, 4, -24, 18, 13, 4)))
        .united(ellipse({0, 0}, 8, 16))
        .united(neck)
        .united(ellipse({0, -56}, 4.5, 4.5))
        .united(bill)
        .united(polygon({{-6, 12}, {-8, 24}, {8, 24}, {6, 12}}))
        .united(legs(14, 58));
}

} // namespace

QImage drawPaper3Figure3() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    using Shape = QPainterPath (*)();
    // Drawn about the middle of the cell, nudged so that the whole bird sits clear of the label.
    struct Bird {
        Shape shape;
        double dy;
    };
    const Bird birds[kColumns * kRows] = {
        {hawk, 0}, {swallow, -4}, {eagle, 0}, {falcon, -6}, {heron, -6}, {crane, 4},
    };
    drawNumberedCells(p, QSizeF(kWidth, kHeight), kColumns, kRows,
                      [&](QPainter &painter, const QRectF &cell, int i) {
                          painter.translate(cell.center() + QPointF(0, 6 + birds[i].dy));
                          painter.fillPath(birds[i].shape(), kShape);
                      });
    return image;
}
