#pragma once

#include <QGroupBox>

// A group box whose caption is set into its top line, with the line running through the
// caption's middle, rather than standing above the frame as the style draws it. The frame's
// top edge is the widget's top edge, so a frame placed at y starts at y on screen.
class CaptionedFrame : public QGroupBox {
public:
    CaptionedFrame(const QString &caption, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
