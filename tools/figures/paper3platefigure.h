#pragma once

#include <QImage>

// The third paper's figure 1, 333 × 117: five breakfast plates seen from above, labelled ア to オ
// from left to right: two rice balls with seaweed and a grilled fish, one round pancake with a
// square of butter, a sandwich cut into four squares, apple slices in a ring like petals, and a
// fried egg beside a slice of toast cut corner to corner. The article in section 4 names them.
QImage drawPaper3Figure1();
