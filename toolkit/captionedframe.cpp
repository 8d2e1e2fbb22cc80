#include "toolkit/captionedframe.h"

#include <QImage>
#include <QPainter>
#include <QStyleOptionGroupBox>
#include <QStylePainter>

namespace {

// How far below the top of its rectangle the style draws a group frame's top line. Styles put
// it there to leave room for a caption above; the offset is read from the style's own drawing.
int topLineOffset(const QStyle *style, QStyleOptionFrame frame) {
    QImage probe(32, 64, QImage::Format_ARGB32_Premultiplied);
    probe.fill(Qt::transparent);
    frame.rect = probe.rect();
    {
        QPainter painter(&probe);
        style->drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &painter, nullptr);
    }
    for (int y = 0; y < probe.height(); ++y)
        for (int x = 0; x < probe.width(); ++x)
            if (qAlpha(probe.pixel(x, y)) != 0)
                return y;
    return 0;
}

} // namespace

CaptionedFrame::CaptionedFrame(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent) {}

void CaptionedFrame::paintEvent(QPaintEvent *) {
    QStylePainter painter(this);
    QStyleOptionGroupBox option;
    initStyleOption(&option);
    // The style's caption place, kept across but lifted to the top edge.
    QRect caption =
        style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, this);
    caption.moveTop(0);

    QStyleOptionFrame frame;
    frame.QStyleOption::operator=(option);
    frame.features = option.features;
    frame.lineWidth = option.lineWidth;
    frame.midLineWidth = option.midLineWidth;
    // Every frame of a style draws alike, so one reading serves them all.
    static const int offset = topLineOffset(style(), frame);
    frame.rect = rect().adjusted(0, caption.height() / 2 - offset, 0, 0);

    painter.save();
    // The line stops short of the caption on both sides.
    painter.setClipRegion(QRegion(rect()).subtracted(caption.adjusted(-2, 0, 2, 0)));
    style()->drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &painter, nullptr);
    painter.restore();
    painter.drawItemText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                         title(), QPalette::WindowText);
}
