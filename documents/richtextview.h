#pragma once

#include <QString>

class QObject;
class QTextDocument;
class QTextEdit;
class QWidget;

// A read-only view named RichTextBox1 showing a built-in RTF document from its start, in the
// design font at 9 pt where the document sets none. The user can select and scroll, not edit.
QTextEdit *createRichTextView(const QString &rtfPath, QWidget *parent);

// The same view, empty, for a document given it later with setDocument().
QTextEdit *createRichTextView(QWidget *parent);

// A built-in RTF document read as the views show it, not yet laid out: all of it, or its first
// paragraphs only, as many as asked for.
QTextDocument *readRichTextDocument(const QString &rtfPath, QObject *parent, int paragraphs = -1);
