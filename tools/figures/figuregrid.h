#pragma once

#include <QPainter>
#include <functional>

// The figures whose choices are drawings: a grid of cells each framed in grey and numbered ①, ②
// … in its top left corner. drawCell draws cell i's drawing, clipped to the inside of its frame.
void drawNumberedCells(QPainter &p, QSizeF size, int columns, int rows,
                       const std::function<void(QPainter &, const QRectF &cell, int i)> &drawCell);
