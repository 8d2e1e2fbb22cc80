#pragma once

#include <QImage>

// The third paper's figure 3, 522 × 304: six birds in flight seen from below as dark shapes,
// labelled ① to ⑥: a hawk (broad rounded wings, short fanned tail, head hardly showing), a swallow
// (slender swept wings, long forked tail), an eagle (long flat wings with spread fingers, head
// reaching as far forward as the short tail reaches back), a falcon (pointed wings bent back, long
// narrow tail), a heron (neck folded, head on its shoulders, legs trailing) and a crane (neck
// stretched straight out, legs trailing). The story in section 5 describes them.
QImage drawPaper3Figure3();
