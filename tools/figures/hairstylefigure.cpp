#include "tools/figures/hairstylefigure.h"

#include "toolkit/fonts.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {

constexpr int kWidth = 333;
constexpr int kHeight = 117;
constexpr int kSlots = 5;

// Where one person stands: the middle of the face and the half-axes of the face's ellipse.
struct Head {
    QPointF centre;
    double rx = 13;
    double ry = 16;
    QRectF face() const { return {centre.x() - rx, centre.y() - ry, 2 * rx, 2 * ry}; }
    double top() const { return centre.y() - ry; }
};

const QPen kLine(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
const QPen kFineLine(Qt::black, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

void drawShoulders(QPainter &p, const Head &h) {
    const double x = h.centre.x();
    const double neckTop = h.centre.y() + h.ry - 3;
    QPainterPath body;
    body.moveTo(x - 6, neckTop);
    body.lineTo(x - 6, neckTop + 8);
    body.cubicTo(x - 18, neckTop + 10, x - 27, neckTop + 14, x - 29, neckTop + 34);
    body.lineTo(x + 29, neckTop + 34);
    body.cubicTo(x + 27, neckTop + 14, x + 18, neckTop + 10, x + 6, neckTop + 8);
    body.lineTo(x + 6, neckTop);
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawPath(body);
}

void drawFace(QPainter &p, const Head &h) {
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawEllipse(h.face());
}

// A cap of hair hugging the top of the head, down to about the ears; the face covers its lower
// half afterwards.
void drawCap(QPainter &p, const Head &h, double extra) {
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawEllipse(
        QRectF(h.centre.x() - h.rx - extra, h.top() - extra, 2 * (h.rx + extra), 2 * h.ry * 0.9));
}

// Hair that frames the face and shows where it is parted.
void drawFringe(QPainter &p, const Head &h, bool parted) {
    const double x = h.centre.x();
    const double y = h.centre.y();
    QPainterPath fringe;
    fringe.moveTo(x - h.rx, y - 2);
    fringe.cubicTo(x - h.rx + 2, y - h.ry + 2, x - 4, y - h.ry + 1, x, y - h.ry + 6);
    fringe.cubicTo(x + 4, y - h.ry + 1, x + h.rx - 2, y - h.ry + 2, x + h.rx, y - 2);
    p.setPen(kLine);
    p.setBrush(Qt::NoBrush);
    p.drawPath(fringe);
    if (parted)
        p.drawLine(QPointF(x, h.top() + 1), QPointF(x, y - h.ry + 6));
}

// ア: curls all round, making the head look much wider than it is.
void drawCurly(QPainter &p, const Head &h) {
    const QPointF c(h.centre.x(), h.centre.y() - 3);
    const double ring = 22;
    const double curl = 6.5;
    p.setPen(kLine);
    p.setBrush(Qt::white);
    for (int deg = -30; deg <= 210; deg += 20) {
        const double a = qDegreesToRadians(static_cast<double>(deg));
        const QPointF at(c.x() + ring * qCos(a), c.y() - ring * qSin(a));
        p.drawEllipse(at, curl, curl);
    }
    p.setPen(Qt::NoPen);
    p.drawEllipse(c, ring - 1, ring - 1);
    // A few inner curls show the texture.
    p.setPen(kFineLine);
    p.setBrush(Qt::NoBrush);
    for (int deg = 20; deg <= 160; deg += 35) {
        const double a = qDegreesToRadians(static_cast<double>(deg));
        p.drawArc(QRectF(c.x() + 15 * qCos(a) - 4, c.y() - 15 * qSin(a) - 4, 8, 8), 0, 180 * 16);
    }
    drawFace(p, h);
    drawFringe(p, h, false);
}

// A braid: a rope of short strands crossing one way and the other, tied at the end.
void drawBraid(QPainter &p, QPointF from, double length) {
    const int links = static_cast<int>(length / 5);
    p.setPen(kFineLine);
    p.setBrush(Qt::white);
    for (int i = 0; i < links; ++i) {
        p.save();
        p.translate(from.x(), from.y() + 3 + i * 5);
        p.rotate(i % 2 == 0 ? 35 : -35);
        p.drawEllipse(QRectF(-5, -2.6, 10, 5.2));
        p.restore();
    }
    const double end = from.y() + links * 5 + 3;
    p.setPen(kLine);
    p.drawLine(QPointF(from.x() - 3, end), QPointF(from.x() + 3, end));
    p.drawLine(QPointF(from.x() - 2, end), QPointF(from.x() - 3, end + 5));
    p.drawLine(QPointF(from.x(), end), QPointF(from.x(), end + 5));
    p.drawLine(QPointF(from.x() + 2, end), QPointF(from.x() + 3, end + 5));
}

// イ: two long braids, one falling over each shoulder.
void drawBraids(QPainter &p, const Head &h) {
    drawCap(p, h, 2);
    drawFace(p, h);
    drawFringe(p, h, true);
    drawBraid(p, QPointF(h.centre.x() - h.rx - 2, h.centre.y() + 2), 40);
    drawBraid(p, QPointF(h.centre.x() + h.rx + 2, h.centre.y() + 2), 40);
}

// ウ: the shortest: close at the sides, standing up in little points on top.
void drawSpiky(QPainter &p, const Head &h) {
    const double x = h.centre.x();
    const double y = h.centre.y() - 4;
    QPainterPath spikes;
    const int points = 9;
    const double lengths[points] = {4, 6, 7, 8, 8, 8, 7, 6, 4};
    // Tips spread over the top of the head only; the sides stay close-cropped.
    const double from = qDegreesToRadians(160.0);
    const double to = qDegreesToRadians(20.0);
    spikes.moveTo(x + (h.rx + 1) * qCos(from), y - (h.ry + 1) * qSin(from) + 4);
    for (int i = 0; i <= points; ++i) {
        const double a = from + (to - from) * i / points;
        spikes.lineTo(x + (h.rx + 1) * qCos(a), y - (h.ry + 1) * qSin(a));
        if (i < points) {
            const double mid = from + (to - from) * (i + 0.5) / points;
            const double r = lengths[i];
            spikes.lineTo(x + (h.rx + r) * qCos(mid), y - (h.ry + r) * qSin(mid));
        }
    }
    spikes.lineTo(x + (h.rx + 1) * qCos(to), y - (h.ry + 1) * qSin(to) + 4);
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawPath(spikes);
    drawFace(p, h);
    // Cut short: the hairline sits high on the forehead.
    QPainterPath line;
    line.moveTo(x - h.rx + 1, h.centre.y() - 7);
    line.quadTo(x, h.top() + 2, x + h.rx - 1, h.centre.y() - 7);
    p.setPen(kLine);
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
}

// エ: the longest: straight down past the shoulders, no curl at all.
void drawLongStraight(QPainter &p, const Head &h) {
    const double x = h.centre.x();
    const double side = h.rx + 5;
    const double bottom = h.centre.y() + h.ry + 30;
    QPainterPath hair;
    hair.moveTo(x - side, bottom);
    hair.lineTo(x - side, h.centre.y() - 2);
    hair.cubicTo(x - side, h.top() - 9, x + side, h.top() - 9, x + side, h.centre.y() - 2);
    hair.lineTo(x + side, bottom);
    hair.closeSubpath();
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawPath(hair);
    p.setPen(kFineLine);
    for (double dx : {-side + 3.0, side - 3.0})
        p.drawLine(QPointF(x + dx, h.centre.y() + 4), QPointF(x + dx, bottom - 2));
    drawFace(p, h);
    drawFringe(p, h, true);
}

// オ: all the hair pulled up into a round knot on top of the head.
void drawTopKnot(QPainter &p, const Head &h) {
    const QPointF knot(h.centre.x(), h.top() - 7);
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawEllipse(knot, 9, 8);
    p.setPen(kFineLine);
    p.drawArc(QRectF(knot.x() - 5, knot.y() - 4, 10, 8), 200 * 16, 140 * 16);
    drawCap(p, h, 1);
    drawFace(p, h);
    // Pulled back smooth: the hair runs up from the temples towards the knot.
    QPainterPath line;
    line.moveTo(h.centre.x() - h.rx + 1, h.centre.y() - 4);
    line.quadTo(h.centre.x(), h.top() - 1, h.centre.x() + h.rx - 1, h.centre.y() - 4);
    p.setPen(kLine);
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
    p.setPen(kFineLine);
    p.drawLine(QPointF(knot.x() - 5, knot.y() + 7), QPointF(knot.x() + 5, knot.y() + 7));
}

} // namespace

QImage drawHairstyleFigure() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QStringList labels{"ア", "イ", "ウ", "エ", "オ"};
    using Draw = void (*)(QPainter &, const Head &);
    const Draw styles[kSlots] = {drawCurly, drawBraids, drawSpiky, drawLongStraight, drawTopKnot};
    const double slot = static_cast<double>(kWidth) / kSlots;
    QFont font = designFont(9);
    font.setPixelSize(12);
    for (int i = 0; i < kSlots; ++i) {
        Head head;
        head.centre = QPointF(slot * (i + 0.5), 42);
        drawShoulders(p, head);
        styles[i](p, head);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(slot * i, 101, slot, 15), Qt::AlignCenter, labels[i]);
    }
    return image;
}
