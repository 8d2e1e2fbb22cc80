#include "toolkit/picturebox.h"

#include <QCoreApplication>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include "toolkit/accessibility.h"

namespace {
constexpr int kFrameWidth = 2;
} // namespace

PictureBox::PictureBox(const QString &imagePath, QWidget *parent)
    : QFrame(parent), path_(imagePath) {
    installToolkitAccessibility();
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kFrameWidth);
}

const QPixmap &PictureBox::image() {
    // Decoded on first sight: a figure nobody opens costs nothing at start-up.
    if (image_.isNull())
        image_.load(path_);
    return image_;
}

void PictureBox::setImagePath(const QString &imagePath) {
    if (imagePath == path_)
        return;
    path_ = imagePath;
    image_ = QPixmap();
    const int zoom = zoom_;
    zoom_ = 100;
    scaled_ = QPixmap();
    setZoom(zoom);
    if (horizontal_) {
        horizontal_->setValue(0);
        vertical_->setValue(0);
    }
    update();
}

void PictureBox::setZoom(int percent) {
    if (percent == zoom_)
        return;
    zoom_ = percent;
    if (zoom_ == 100) {
        scaled_ = QPixmap();
    } else {
        const QPixmap &original = image();
        scaled_ = original.scaled(original.size() * zoom_ / 100, Qt::IgnoreAspectRatio,
                                  Qt::SmoothTransformation);
        if (!horizontal_) {
            horizontal_ = new QScrollBar(Qt::Horizontal, this);
            vertical_ = new QScrollBar(Qt::Vertical, this);
            connect(horizontal_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
            connect(vertical_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
        }
    }
    layoutScrollBars();
    update();
}

void PictureBox::layoutScrollBars() {
    if (!horizontal_)
        return;
    // The scroll bars stand inside the frame, and only while the zoomed image overflows it.
    const QRect inner = contentsRect();
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    const QSize picture = scaled_.isNull() ? QSize() : scaled_.size();
    bool needH = picture.width() > inner.width();
    bool needV = picture.height() > inner.height();
    needH = needH || (needV && picture.width() > inner.width() - extent);
    needV = needV || (needH && picture.height() > inner.height() - extent);
    const int viewW = inner.width() - (needV ? extent : 0);
    const int viewH = inner.height() - (needH ? extent : 0);
    horizontal_->setVisible(needH);
    vertical_->setVisible(needV);
    horizontal_->setGeometry(inner.left(), inner.bottom() - extent + 1, viewW, extent);
    vertical_->setGeometry(inner.right() - extent + 1, inner.top(), extent, viewH);
    horizontal_->setRange(0, needH ? picture.width() - viewW : 0);
    vertical_->setRange(0, needV ? picture.height() - viewH : 0);
    horizontal_->setPageStep(viewW);
    vertical_->setPageStep(viewH);
    horizontal_->setSingleStep(20);
    vertical_->setSingleStep(20);
}

void PictureBox::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    layoutScrollBars();
}

void PictureBox::wheelEvent(QWheelEvent *event) {
    if (vertical_ && vertical_->isVisible())
        QCoreApplication::sendEvent(vertical_, event);
    else
        QFrame::wheelEvent(event);
}

void PictureBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    // Smooth when a scaled screen enlarges the picture.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipRect(contentsRect());
    if (scaled_.isNull()) {
        painter.drawPixmap(contentsRect().topLeft(), image());
        return;
    }
    const QPoint scroll(horizontal_->isVisible() ? horizontal_->value() : 0,
                        vertical_->isVisible() ? vertical_->value() : 0);
    painter.drawPixmap(contentsRect().topLeft() - scroll, scaled_);
    if (horizontal_->isVisible() && vertical_->isVisible()) {
        // The corner between the two scroll bars.
        painter.fillRect(
            QRect(vertical_->x(), horizontal_->y(), vertical_->width(), horizontal_->height()),
            palette().window());
    }
}
