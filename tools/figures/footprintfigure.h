#pragma once

#include <QImage>

// Figure 3, 522 × 304: six pairs of footprints in snow, labelled ① to ⑥: a fox (a claw's dot in
// front of each of four toes), a cat (four toes, no claw marks), a deer (split hoof), a hare (two
// long hind feet side by side), a pheasant (three toes forward, one back) and a bear (five toes in
// a row with long claws, much the largest). The story in section 5 describes them.
QImage drawFootprintFigure();
