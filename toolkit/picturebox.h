#pragma once

#include <QFrame>
#include <QPixmap>

class QScrollBar;

// A picture box: a sunken frame with its image drawn from the inner corner and cut off at the
// inner edges, never over the frame. At the designed zoom the image is drawn unscaled, as
// designed; zoomed, it is drawn smoothly scaled and scrolls when larger than the box. Screen
// readers see it as a graphic, with the name and description set on it.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    PictureBox(const QString &imagePath, QWidget *parent);

    void setZoom(int percent);
    // Another image, decoded when next seen, at the zoom the box has.
    void setImagePath(const QString &imagePath);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    const QPixmap &image();
    void layoutScrollBars();

    QString path_;
    QPixmap image_;
    QPixmap scaled_; // null at the designed zoom
    int zoom_ = 100;
    QScrollBar *horizontal_ = nullptr; // made on the first zoom
    QScrollBar *vertical_ = nullptr;
};
