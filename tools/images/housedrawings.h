#pragma once

#include <QByteArray>
#include <QImage>

// The program's own pictures, drawn by code so that they can be remade and reviewed.
// The background and the mark are computed pixel by pixel, so they come out the same on every
// machine; the icon uses a font and may differ slightly between systems.

// The exam window's backdrop, 794 x 567: a yellow field with rows of a small white emblem.
QImage drawBackground();

// One period of the backdrop's pattern, 48 x 84 from its top-left corner: the emblems repeat
// every 48 pixels across and every second row, 84 pixels, down. Laid side by side from the same
// corner, copies of it make the backdrop pixel for pixel.
QImage drawBackgroundTile();

// The correct-answer mark, 32 x 32: a red ring, transparent inside and out.
QImage drawMark();

// The program icon, 128 x 128: a red ring over a yellow answer card marked with the letter 英.
QImage drawIcon();

// The same icon as scalable vector graphics.
QByteArray iconSvg();
