#pragma once

#include <QImage>

// Figure 3, 522 × 304: six pairs of footprints in snow, labelled ① to ⑥: a fox (claw marks in
// front of four toes), a cat (four toes, no claw marks), a deer (split hoof), a hare (two long
// hind feet side by side), a pheasant (three toes forward, one back) and a bear (five toes in a
// row with long claws, much the largest). The story in section 5 describes them.
QImage drawFootprintFigure();
