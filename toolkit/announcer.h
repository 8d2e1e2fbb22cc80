#pragma once

#include <QWidget>

// Tells a screen reader something without moving the focus: each announcement is a notification
// that appears with the text as its name, as a desktop's notifications do. Nothing is drawn; the
// widget has no size.
class Announcer : public QWidget {
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
};
