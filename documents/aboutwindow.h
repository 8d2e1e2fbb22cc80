#pragma once

#include <QWidget>

// The About window: the program's description, for reading. Made afresh each time it opens.
class AboutWindow : public QWidget {
public:
    explicit AboutWindow(QWidget *parent = nullptr);
};
