#pragma once

#include <QString>
#include <QWidget>

class QTextDocument;

// The About window: the program's description, for reading. Made afresh each time it opens.
// Its list of the program's files shows their sizes and dates as they lie in programFolder.
class AboutWindow : public QWidget {
public:
    explicit AboutWindow(const QString &programFolder, QWidget *parent = nullptr);
};

// Rewrites every line of the document's file list ("　NAME　…N バイト　YYYY/MM/DD　WHAT") with the
// size and date of the file NAME in programFolder, or marks the file missing.
void fillFileList(QTextDocument *document, const QString &programFolder);
