#include "tools/images/housedrawings.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr QRgb kFieldYellow = qRgb(255, 232, 80);
constexpr QRgb kMarkRed = qRgb(255, 0, 0);
const QColor kCardEdge(138, 109, 0);
const QColor kBoxEdge(60, 60, 60);
const QColor kTickInk(30, 30, 30);
const QColor kLetterInk(24, 40, 110);
constexpr QPointF kRingCentre(62, 50);
constexpr double kRingRadius = 37;

// Share of a pixel covered by a ring (inner radius 0 gives a disc), from an 8 x 8 grid of
// samples. Own sampling rather than a painter keeps the output identical across Qt versions.
double ringCoverage(int x, int y, double cx, double cy, double inner, double outer) {
    constexpr int kSamples = 8;
    int inside = 0;
    for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
            const double dx = x + (sx + 0.5) / kSamples - cx;
            const double dy = y + (sy + 0.5) / kSamples - cy;
            const double d2 = dx * dx + dy * dy;
            if (d2 >= inner * inner && d2 <= outer * outer)
                ++inside;
        }
    }
    return double(inside) / (kSamples * kSamples);
}

int mix(int from, int to, double amount) {
    return int(from + (to - from) * amount + 0.5);
}

QPainterPath tickPath() {
    QPainterPath tick;
    tick.moveTo(55, 99);
    tick.lineTo(60, 105);
    tick.lineTo(70, 90);
    return tick;
}

// The letter 英 as outlines, centred in the ring.
QPainterPath letterPath() {
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(48);
    font.setBold(true);
    QPainterPath letter;
    letter.addText(0, 0, font, QStringLiteral("英"));
    const QPointF shift = kRingCentre - letter.boundingRect().center();
    return letter.translated(shift);
}

QByteArray svgPathData(const QPainterPath &path) {
    QByteArray data;
    const auto number = [](double value) { return QByteArray::number(value, 'f', 2); };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        if (element.type == QPainterPath::MoveToElement)
            data += 'M';
        else if (element.type == QPainterPath::LineToElement)
            data += 'L';
        else if (element.type == QPainterPath::CurveToElement)
            data += 'C';
        else
            data += ' ';
        data += number(element.x) + ' ' + number(element.y);
    }
    return data;
}

} // namespace

// The backdrop's emblems stand on this grid, every other row shifted by half a step.
constexpr int kColumnStep = 48;
constexpr int kRowStep = 42;

QImage drawBackground() {
    constexpr int kWidth = 794;
    constexpr int kHeight = 567;
    constexpr double kWhiteness = 0.85; // the emblem lets a little of the yellow through

    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    image.fill(kFieldYellow);
    for (int row = 0; row * kRowStep < kHeight + kRowStep; ++row) {
        const double cy = 21 + row * kRowStep;
        const double offset = row % 2 ? kColumnStep / 2.0 : 0.0;
        for (double cx = 24 + offset - kColumnStep; cx < kWidth + kColumnStep; cx += kColumnStep) {
            for (int y = int(cy) - 10; y <= int(cy) + 10; ++y) {
                for (int x = int(cx) - 10; x <= int(cx) + 10; ++x) {
                    if (!image.rect().contains(x, y))
                        continue;
                    // A ring with a dot in its middle.
                    const double cover = qMin(1.0, ringCoverage(x, y, cx, cy, 6.0, 8.5) +
                                                       ringCoverage(x, y, cx, cy, 0.0, 2.5));
                    const double white = cover * kWhiteness;
                    image.setPixel(x, y,
                                   qRgb(mix(qRed(kFieldYellow), 255, white),
                                        mix(qGreen(kFieldYellow), 255, white),
                                        mix(qBlue(kFieldYellow), 255, white)));
                }
            }
        }
    }
    return image;
}

QImage drawBackgroundTile() {
    return drawBackground().copy(0, 0, kColumnStep, 2 * kRowStep);
}

QImage drawMark() {
    QImage image(32, 32, QImage::Format_ARGB32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const double cover = ringCoverage(x, y, 16.0, 16.0, 10.5, 15.0);
            // Partly covered edge pixels are a lighter red, as a hand-inked circle would have.
            const int pale = mix(0, 176, 1.0 - cover);
            image.setPixel(x, y,
                           cover == 0.0 ? qRgba(0, 0, 0, 0)
                                        : qRgba(qRed(kMarkRed), pale, pale, mix(0, 255, cover)));
        }
    }
    return image;
}

QImage drawIcon() {
    QImage image(128, 128, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // The answer card.
    painter.setPen(QPen(kCardEdge, 3));
    painter.setBrush(QColor(kFieldYellow));
    painter.drawRoundedRect(QRectF(12, 8, 100, 110), 10, 10);

    // Three answer boxes, the middle one ticked.
    painter.setPen(QPen(kBoxEdge, 2.5));
    painter.setBrush(Qt::white);
    for (int i = 0; i < 3; ++i)
        painter.drawRect(QRectF(24 + i * 28, 92, 16, 16));
    painter.setPen(QPen(kTickInk, 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(tickPath());

    painter.setPen(Qt::NoPen);
    painter.setBrush(kLetterInk);
    painter.drawPath(letterPath());

    // The correct-answer ring around the letter.
    painter.setPen(QPen(QColor(kMarkRed), 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(kRingCentre, kRingRadius, kRingRadius);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

QByteArray iconSvg() {
    QByteArray svg = R"svg(<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="128" height="128" viewBox="0 0 128 128">
  <rect x="12" y="8" width="100" height="110" rx="10" fill="#ffe850" stroke="#8a6d00" stroke-width="3"/>
  <g fill="#ffffff" stroke="#3c3c3c" stroke-width="2.5">
    <rect x="24" y="92" width="16" height="16"/>
    <rect x="52" y="92" width="16" height="16"/>
    <rect x="80" y="92" width="16" height="16"/>
  </g>
)svg";
    svg += "  <path d=\"" + svgPathData(tickPath()) +
           "\" fill=\"none\" stroke=\"#1e1e1e\" stroke-width=\"3.5\" stroke-linecap=\"round\" "
           "stroke-linejoin=\"round\"/>\n";
    // The letter goes in as outlines, so the picture needs no particular font to show it.
    svg += "  <path d=\"" + svgPathData(letterPath()) + "\" fill=\"#18286e\"/>\n";
    svg += QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\" fill=\"none\" stroke=\"#ff0000\" "
                          "stroke-width=\"6\"/>\n</svg>\n")
               .arg(kRingCentre.x())
               .arg(kRingCentre.y())
               .arg(kRingRadius)
               .toUtf8();
    return svg;
}
