#pragma once

#include <QString>

class QTextEdit;
class QWidget;

// A read-only view named RichTextBox1 showing a built-in RTF document from its start, in the
// design font at 9 pt where the document sets none. The user can select and scroll, not edit.
QTextEdit *createRichTextView(const QString &rtfPath, QWidget *parent);
