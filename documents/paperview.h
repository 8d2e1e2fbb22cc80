#pragma once

#include "toolkit/multirowtabwidget.h"

class QTextEdit;

// The exam paper: its document on the first tab and its three figures on the others.
class PaperView : public MultiRowTabWidget {
public:
    explicit PaperView(QWidget *parent = nullptr);

    QTextEdit *document() const { return RichTextBox1; }

private:
    QTextEdit *RichTextBox1 = nullptr;
};
