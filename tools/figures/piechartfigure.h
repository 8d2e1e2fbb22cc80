#pragma once

#include <QImage>

// Figure 2, 472 × 227: what customers of three age groups value most when they choose a hair
// salon, one pie chart per group, with a title, a percentage on every slice and a legend. The
// article and the questions of section 4 quote these percentages.
QImage drawPieChartFigure();
