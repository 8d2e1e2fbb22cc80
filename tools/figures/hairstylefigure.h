#pragma once

#include <QImage>

// Figure 1, 333 × 117: five head-and-shoulders outlines, labelled ア to オ from left to right,
// each with one of the five hairstyles the article in section 4 describes (curly, two braids,
// short and spiky, long and straight, a knot on top), in that order.
QImage drawHairstyleFigure();
