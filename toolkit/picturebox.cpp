#include "toolkit/picturebox.h"

#include <QPainter>

#include "toolkit/accessibility.h"

namespace {
constexpr int kFrameWidth = 2;
}

PictureBox::PictureBox(const QString &imagePath, QWidget *parent)
    : QFrame(parent), path_(imagePath) {
    installToolkitAccessibility();
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kFrameWidth);
}

void PictureBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // Smooth when a scaled screen enlarges the picture.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(contentsRect());
    // Decoded on first sight: a picture nobody opens costs nothing at start-up.
    if (image_.isNull())
        image_.load(path_);
    painter.drawPixmap(contentsRect().topLeft(), image_);
}
