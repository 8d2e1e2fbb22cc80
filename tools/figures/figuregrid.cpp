#include "tools/figures/figuregrid.h"

#include "toolkit/fonts.h"

void drawNumberedCells(QPainter &p, QSizeF size, int columns, int rows,
                       const std::function<void(QPainter &, const QRectF &cell, int i)> &drawCell) {
    const double cellW = size.width() / columns;
    const double cellH = size.height() / rows;
    QFont font = designFont(12);
    font.setPixelSize(18);
    for (int i = 0; i < columns * rows; ++i) {
        const QRectF cell((i % columns) * cellW, (i / columns) * cellH, cellW, cellH);
        const QRectF frame = cell.adjusted(2.5, 2.5, -2.5, -2.5);
        p.save();
        p.setClipRect(frame);
        drawCell(p, cell, i);
        p.restore();
        p.setPen(QPen(QColor(150, 150, 150), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(frame);
        p.setPen(Qt::black);
        p.setFont(font);
        p.drawText(QRectF(cell.left() + 8, cell.top() + 6, 24, 22), Qt::AlignCenter,
                   QString(QChar(char16_t(u'①' + i))));
    }
}
