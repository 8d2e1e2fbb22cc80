#pragma once

#include <QFrame>
#include <QPixmap>
#include <QString>

// A picture box: a sunken frame with its image drawn unscaled from the inner corner and cut off
// at the inner edges, never over the frame. Screen readers see it as a graphic, with the name
// and description set on it.
class PictureBox : public QFrame {
    Q_OBJECT

public:
    PictureBox(const QString &imagePath, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString path_;
    QPixmap image_;
};
