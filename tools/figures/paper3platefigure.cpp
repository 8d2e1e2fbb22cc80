#include "tools/figures/paper3platefigure.h"

#include "toolkit/fonts.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <QtMath>

namespace {

constexpr int kWidth = 333;
constexpr int kHeight = 117;
constexpr int kSlots = 5;

// Each plate is drawn about its centre; its rim is a circle of this radius.
constexpr double kPlate = 30;

const QPen kLine(Qt::black, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
const QPen kFineLine(Qt::black, 0.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
const QColor kLight(225, 225, 225);
const QColor kDark(70, 70, 70);

void drawPlate(QPainter &p) {
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(0, 0), kPlate, kPlate);
    p.setPen(kFineLine);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), kPlate - 4, kPlate - 4);
}

// A triangle with rounded corners, point up, its base centred on the origin.
QPainterPath roundedTriangle(double width, double height) {
    const QPointF top(0, -height), left(-width / 2, 0), right(width / 2, 0);
    const double r = 0.18;
    QPainterPath path;
    path.moveTo(top + (left - top) * r);
    path.lineTo(left + (top - left) * r);
    path.quadTo(left, left + (right - left) * r);
    path.lineTo(right + (left - right) * r);
    path.quadTo(right, right + (top - right) * r);
    path.lineTo(top + (right - top) * r);
    path.quadTo(top, top + (left - top) * r);
    path.closeSubpath();
    return path;
}

// A rice ball with a dark band of seaweed across its lower part.
void drawRiceBall(QPainter &p, QPointF base) {
    const QPainterPath ball = roundedTriangle(19, 18).translated(base);
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawPath(ball);
    QPainterPath band;
    band.addRect(QRectF(base.x() - 5.5, base.y() - 8, 11, 9));
    p.fillPath(band.intersected(ball), kDark);
    p.setBrush(Qt::NoBrush);
    p.drawPath(ball);
}

// A small fish lying on its side, head to the left, with the marks of the grill across it.
void drawFish(QPainter &p, QPointF centre) {
    QPainterPath body;
    body.moveTo(centre + QPointF(-13, 0));
    body.cubicTo(centre + QPointF(-9, -6), centre + QPointF(5, -6), centre + QPointF(9, 0));
    body.cubicTo(centre + QPointF(5, 6), centre + QPointF(-9, 6), centre + QPointF(-13, 0));
    QPainterPath tail;
    tail.moveTo(centre + QPointF(8, 0));
    tail.lineTo(centre + QPointF(15, -5));
    tail.lineTo(centre + QPointF(15, 5));
    tail.closeSubpath();
    p.setPen(kLine);
    p.setBrush(kLight);
    p.drawPath(tail);
    p.drawPath(body);
    p.setPen(kFineLine);
    for (double x : {-4.0, 0.0, 4.0})
        p.drawLine(centre + QPointF(x - 1.5, -3.5), centre + QPointF(x + 1.5, 3.5));
    p.setBrush(Qt::black);
    p.drawEllipse(centre + QPointF(-9, -1), 1, 1);
}

// ア: two rice balls and a grilled fish.
void drawRiceAndFish(QPainter &p) {
    drawRiceBall(p, QPointF(-9, 4));
    drawRiceBall(p, QPointF(10, 2));
    drawFish(p, QPointF(0, 15));
}

// イ: one large round pancake with a square of butter in its centre.
void drawPancake(QPainter &p) {
    p.setPen(kLine);
    p.setBrush(kLight);
    p.drawEllipse(QPointF(0, 0), 21, 21);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(-4.5, -4.5, 9, 9));
}

// ウ: a square sandwich cut into four small squares, each with its crust and filling, set far
// enough apart that white shows between them past the width of their outlines.
void drawSandwich(QPainter &p) {
    const double side = 14;
    const double gap = 5;
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < 2; ++col) {
            const QRectF square(col ? gap / 2 : -gap / 2 - side, row ? gap / 2 : -gap / 2 - side,
                                side, side);
            p.setPen(kLine);
            p.setBrush(Qt::white);
            p.drawRect(square);
            p.setPen(kFineLine);
            p.setBrush(kLight);
            p.drawRect(square.adjusted(2.5, 2.5, -2.5, -2.5));
        }
}

// エ: thin apple slices laid out in a ring, like the petals of a flower, skin outwards.
void drawAppleRing(QPainter &p) {
    const int slices = 8;
    for (int i = 0; i < slices; ++i) {
        p.save();
        p.rotate(360.0 * i / slices);
        QPainterPath slice;
        slice.moveTo(0, -6);
        slice.cubicTo(-6, -10, -6, -19, 0, -22);
        slice.cubicTo(6, -19, 6, -10, 0, -6);
        p.setPen(kLine);
        p.setBrush(Qt::white);
        p.drawPath(slice);
        // The skin along the outer edge.
        QPainterPath skin;
        skin.moveTo(-4.3, -17);
        skin.cubicTo(-3, -20.5, 3, -20.5, 4.3, -17);
        p.setPen(QPen(kDark, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(skin);
        p.restore();
    }
}

// オ: a fried egg beside a slice of toast cut from corner to corner.
void drawEggAndToast(QPainter &p) {
    // The two halves of the toast, a little apart, each with its crust.
    const QPointF a(-22, -17), b(-1, -17), c(-1, 4), d(-22, 4);
    const QPointF shift(2.5, 2.5);
    QPolygonF first{a, b, d};
    QPolygonF second{b + shift, c + shift, d + shift};
    for (const QPolygonF &half : {first, second}) {
        p.setPen(kLine);
        p.setBrush(kLight);
        p.drawPolygon(half);
        const QPointF mid = (half[0] + half[1] + half[2]) / 3;
        QPolygonF inner;
        for (QPointF corner : half)
            inner << mid + (corner - mid) * 0.72;
        p.setPen(kFineLine);
        p.setBrush(Qt::white);
        p.drawPolygon(inner);
    }
    // The egg: an uneven white with a round yolk.
    QPainterPath white;
    const QPointF e(8, 10);
    const double radii[] = {11, 9, 12, 10, 11.5, 8.5, 10.5, 9.5};
    for (int i = 0; i <= 8; ++i) {
        const double angle = qDegreesToRadians(45.0 * i);
        const QPointF at = e + QPointF(radii[i % 8] * qCos(angle), radii[i % 8] * qSin(angle));
        if (i == 0) {
            white.moveTo(at);
        } else {
            const double mid = qDegreesToRadians(45.0 * (i - 0.5));
            const double r = (radii[i % 8] + radii[i - 1]) / 2 + 1.5;
            white.quadTo(e + QPointF(r * qCos(mid), r * qSin(mid)), at);
        }
    }
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawPath(white);
    p.setBrush(kDark);
    p.drawEllipse(e + QPointF(0.5, -0.5), 4.5, 4.5);
}

} // namespace

QImage drawPaper3Figure1() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QStringList labels{"ア", "イ", "ウ", "エ", "オ"};
    using Draw = void (*)(QPainter &);
    const Draw plates[kSlots] = {drawRiceAndFish, drawPancake, drawSandwich, drawAppleRing,
                                 drawEggAndToast};
    const double slot = static_cast<double>(kWidth) / kSlots;
    QFont font = designFont(9);
    font.setPixelSize(12);
    for (int i = 0; i < kSlots; ++i) {
        p.save();
        p.translate(slot * (i + 0.5), 55);
        drawPlate(p);
        plates[i](p);
        p.restore();
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(slot * i, 98, slot, 15), Qt::AlignCenter, labels[i]);
    }
    return image;
}
