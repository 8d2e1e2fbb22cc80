#pragma once

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

// How far a reader can enlarge a document view: from its designed size up to three times that,
// in quarter steps.
namespace zoomsteps {
inline constexpr int designed = 100; // percent; also the smallest
inline constexpr int largest = 300;
inline constexpr int step = 25;
} // namespace zoomsteps

// Ctrl++ (and Ctrl+=, the same key unshifted), Ctrl+- and Ctrl+0 zoom `target` wherever the
// focus is in `window`: the document is what there is to enlarge.
template <class Target>
void addZoomKeys(QWidget *window, Target *target, void (Target::*zoomIn)(),
                 void (Target::*zoomOut)(), void (Target::*resetZoom)()) {
    const std::pair<QKeySequence, void (Target::*)()> keys[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), zoomIn},
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), zoomIn},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), zoomOut},
        {QKeySequence(Qt::CTRL | Qt::Key_0), resetZoom},
    };
    for (const auto &[sequence, action] : keys) {
        auto *shortcut = new QShortcut(sequence, window);
        shortcut->setContext(Qt::WindowShortcut);
        QObject::connect(shortcut, &QShortcut::activated, target, action);
    }
}
