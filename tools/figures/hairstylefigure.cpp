#include "tools/figures/hairstylefigure.h"

#include "toolkit/fonts.h"

#include <QPainter>
#include <QPainterPath>
#include <QTransform>
#include <QtMath>

namespace {

constexpr int kWidth = 333;
constexpr int kHeight = 117;
constexpr int kSlots = 5;

// One person is drawn about the middle of the face, which is the origin; the half-axes of the
// face's ellipse set the scale of everything else.
constexpr double kRx = 13;
constexpr double kRy = 16;
constexpr double kTop = -kRy;
// Drawn a tenth larger than that, as large as five people fit across: the hair's details need
// every pixel.
constexpr double kScale = 1.1;

const QPen kLine(Qt::black, 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
const QPen kFineLine(Qt::black, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

QRectF face() {
    return {-kRx, -kRy, 2 * kRx, 2 * kRy};
}

void drawShoulders(QPainter &p) {
    const double neckTop = kRy - 3;
    QPainterPath body;
    body.moveTo(-6, neckTop);
    body.lineTo(-6, neckTop + 8);
    body.cubicTo(-17, neckTop + 10, -25, neckTop + 14, -27, neckTop + 34);
    body.lineTo(27, neckTop + 34);
    body.cubicTo(25, neckTop + 14, 17, neckTop + 10, 6, neckTop + 8);
    body.lineTo(6, neckTop);
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawPath(body);
}

void drawFace(QPainter &p) {
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawEllipse(face());
}

// A cap of hair hugging the top of the head, down to about the ears; the face covers its lower
// half afterwards.
QRectF capBounds(double extra) {
    return {-kRx - extra, kTop - extra, 2 * (kRx + extra), 2 * kRy * 0.9};
}

void drawCap(QPainter &p, double extra) {
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawEllipse(capBounds(extra));
}

// Hair that frames the face and shows where it is parted.
void drawFringe(QPainter &p, bool parted) {
    QPainterPath fringe;
    fringe.moveTo(-kRx, -2);
    fringe.cubicTo(-kRx + 2, kTop + 2, -4, kTop + 1, 0, kTop + 6);
    fringe.cubicTo(4, kTop + 1, kRx - 2, kTop + 2, kRx, -2);
    p.setPen(kLine);
    p.setBrush(Qt::NoBrush);
    p.drawPath(fringe);
    if (parted)
        p.drawLine(QPointF(0, kTop + 1), QPointF(0, kTop + 6));
}

// One curl: a ball of hair with the hook of the curl inside it.
void drawCurl(QPainter &p, QPointF at, double r) {
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawEllipse(at, r, r);
    p.setPen(kFineLine);
    p.setBrush(Qt::NoBrush);
    const double hook = r * 0.45;
    p.drawArc(QRectF(at.x() - hook, at.y() - hook, 2 * hook, 2 * hook), 90 * 16, 270 * 16);
}

// ア: curls all round, down to the chin, making the head look much wider than it is.
void drawCurly(QPainter &p) {
    const QPointF c(0, -3);
    const double ring = 21;
    // A white ground under the ring, so that the gaps between the curls stay clean.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(c, ring, ring);
    for (int deg = -40; deg <= 220; deg += 26) {
        const double a = qDegreesToRadians(static_cast<double>(deg));
        drawCurl(p, QPointF(c.x() + ring * qCos(a), c.y() - ring * qSin(a)), 5.6);
    }
    drawFace(p);
    drawFringe(p, false);
}

// One strand of a plait: a narrow oval from one point to another.
QPainterPath strand(QPointF from, QPointF to, double thickness) {
    const QLineF axis(from, to);
    QPainterPath oval;
    oval.addEllipse(QRectF(-axis.length() / 2 - 0.5, -thickness / 2, axis.length() + 1, thickness));
    QTransform place;
    place.translate(axis.center().x(), axis.center().y());
    place.rotate(-axis.angle());
    return place.map(oval);
}

// A braid from behind the ear over the shoulder to the chest: a chain of plaits, each two strands
// that come in from the edges and meet in the middle, over the plait above. A band ties the end,
// and a tuft hangs below it.
void drawBraid(QPainter &p, QPointF from, QPointF to) {
    const int plaits = 6;
    const double halfWidth = 5.5;
    const QPointF step = (to - from) / plaits;
    p.setPen(QPen(Qt::black, 1.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    for (int i = 0; i < plaits; ++i) {
        const QPointF top = from + step * i;
        const QPointF meet = top + step * 1.5;
        p.drawPath(strand(top - QPointF(halfWidth, 0), meet, 4.4)
                       .united(strand(top + QPointF(halfWidth, 0), meet, 4.4)));
    }
    p.setPen(kLine);
    const QPointF band = to + step * 0.6;
    p.drawLine(band - QPointF(3, 0), band + QPointF(3, 0));
    QPainterPath tuft;
    tuft.moveTo(band + QPointF(-2.5, 0));
    tuft.lineTo(band + QPointF(-4, 5));
    tuft.lineTo(band + QPointF(4, 5));
    tuft.lineTo(band + QPointF(2.5, 0));
    p.drawPath(tuft);
    p.setPen(kFineLine);
    p.drawLine(band + QPointF(0, 1), band + QPointF(0, 5));
}

// イ: smooth on the head, parted in the middle, and two long braids, one over each shoulder.
void drawBraids(QPainter &p) {
    drawCap(p, 2);
    // Drawn before the face so that they come from behind the ears.
    drawBraid(p, QPointF(-kRx - 1.5, -5), QPointF(-kRx - 5, 32));
    drawBraid(p, QPointF(kRx + 1.5, -5), QPointF(kRx + 5, 32));
    drawFace(p);
    drawFringe(p, true);
}

// ウ: the shortest: close at the sides, standing up in little points on top.
void drawSpiky(QPainter &p) {
    const double y = -4;
    QPainterPath spikes;
    const int points = 9;
    const double lengths[points] = {5, 7, 8.5, 9, 9, 9, 8.5, 7, 5};
    // Tips spread over the top of the head only; the sides stay close-cropped.
    const double from = qDegreesToRadians(160.0);
    const double to = qDegreesToRadians(20.0);
    spikes.moveTo((kRx + 1) * qCos(from), y - (kRy + 1) * qSin(from) + 4);
    for (int i = 0; i <= points; ++i) {
        const double a = from + (to - from) * i / points;
        spikes.lineTo((kRx + 1) * qCos(a), y - (kRy + 1) * qSin(a));
        if (i < points) {
            const double mid = from + (to - from) * (i + 0.5) / points;
            const double r = lengths[i];
            spikes.lineTo((kRx + r) * qCos(mid), y - (kRy + r) * qSin(mid));
        }
    }
    spikes.lineTo((kRx + 1) * qCos(to), y - (kRy + 1) * qSin(to) + 4);
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawPath(spikes);
    drawFace(p);
    // Cut short: the hairline sits high on the forehead.
    QPainterPath line;
    line.moveTo(-kRx + 1, -7);
    line.quadTo(0, kTop + 2, kRx - 1, -7);
    p.setPen(kLine);
    p.setBrush(Qt::NoBrush);
    p.drawPath(line);
}

// エ: the longest: straight down past the shoulders to the chest, no curl at all. The neck shows
// between the two falls of hair.
void drawLongStraight(QPainter &p) {
    const double side = kRx + 5;
    const double inner = 9;
    const double bottom = kRy + 24;
    QPainterPath hair;
    hair.moveTo(-side, bottom);
    hair.lineTo(-side, -2);
    hair.cubicTo(-side, kTop - 9, side, kTop - 9, side, -2);
    hair.lineTo(side, bottom);
    hair.lineTo(inner, bottom);
    hair.lineTo(inner, 8);
    hair.lineTo(-inner, 8);
    hair.lineTo(-inner, bottom);
    hair.closeSubpath();
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawPath(hair);
    // A straight strand down the middle of each fall.
    p.setPen(kFineLine);
    for (double x : {-(side + inner) / 2, (side + inner) / 2})
        p.drawLine(QPointF(x, kRy - 1), QPointF(x, bottom - 3));
    drawFace(p);
    drawFringe(p, true);
}

// オ: all the hair swept up from the temples into a round bun on top of the head.
void drawTopKnot(QPainter &p) {
    const QPointF bun(0, kTop - 10);
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawEllipse(bun, 9, 8.5);
    // The hair wound round in it.
    p.setPen(kFineLine);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(bun.x() - 6, bun.y() - 5.5, 12, 11), 30 * 16, 220 * 16);
    p.drawArc(QRectF(bun.x() - 3, bun.y() - 3, 6, 6), 210 * 16, 240 * 16);
    const double capExtra = 2.5;
    drawCap(p, capExtra);
    drawFace(p);
    // A hairline low on the forehead, the hair above it clear of the face's outline, leaves room
    // for the lines sweeping up to the tie.
    QPainterPath hairline;
    hairline.moveTo(-kRx + 0.2, -1);
    hairline.quadTo(0, -14, kRx - 0.2, -1);
    QPainterPath above = hairline;
    above.lineTo(2 * kRx, -1);
    above.lineTo(2 * kRx, 2 * kTop);
    above.lineTo(-2 * kRx, 2 * kTop);
    above.lineTo(-2 * kRx, -1);
    above.closeSubpath();
    QPainterPath cap;
    cap.addEllipse(capBounds(capExtra).adjusted(0.8, 0.8, -0.8, -0.8));
    p.fillPath(cap.intersected(above), Qt::white);
    // Tied where it meets the head.
    p.setPen(kLine);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(-4.5, kTop - 4.5, 9, 3.5), 1, 1);
    p.setBrush(Qt::NoBrush);
    p.drawPath(hairline);
    QPainterPath lines;
    for (int side : {-1, 1}) {
        lines.moveTo(side * 9.5, -3.9);
        lines.quadTo(side * 9, kTop + 1, side * 3, kTop - 1.5);
        lines.moveTo(side * 4.5, -6.7);
        lines.quadTo(side * 4, kTop + 1, side * 1.2, kTop - 1.5);
    }
    p.setPen(kFineLine);
    p.drawPath(lines);
}

} // namespace

QImage drawHairstyleFigure() {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QStringList labels{"ア", "イ", "ウ", "エ", "オ"};
    using Draw = void (*)(QPainter &);
    const Draw styles[kSlots] = {drawCurly, drawBraids, drawSpiky, drawLongStraight, drawTopKnot};
    const double slot = static_cast<double>(kWidth) / kSlots;
    QFont font = designFont(9);
    font.setPixelSize(12);
    for (int i = 0; i < kSlots; ++i) {
        p.save();
        p.translate(slot * (i + 0.5), 44);
        p.scale(kScale, kScale);
        drawShoulders(p);
        styles[i](p);
        p.restore();
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRectF(slot * i, 100, slot, 15), Qt::AlignCenter, labels[i]);
    }
    return image;
}
