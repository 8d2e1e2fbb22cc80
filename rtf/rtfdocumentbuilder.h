#pragma once

#include "rtf/rtfproperties.h"

#include <QTextCursor>

#include <vector>

class QTextDocument;

// Writes what the RTF parser reads into a QTextDocument: whole runs of text with one format each,
// and a block per paragraph.
class RtfDocumentBuilder {
public:
    RtfDocumentBuilder(QTextDocument *document, const RtfTables &tables,
                       QString (*familyFor)(const QString &) = nullptr);
    ~RtfDocumentBuilder();
    RtfDocumentBuilder(const RtfDocumentBuilder &) = delete;
    RtfDocumentBuilder &operator=(const RtfDocumentBuilder &) = delete;

    void insertText(const QString &text, const RtfCharProps &props);
    // Ends the current paragraph with `para` and starts the next one.
    void endParagraph(const RtfParaProps &para, const RtfCharProps &chars);
    // Gives the last paragraph its properties; nothing is written after this.
    void finish(const RtfParaProps &para, const RtfCharProps &chars);
    // The font or colour table changed: formats made from the old ones are stale.
    void tablesChanged() { formatCache_.clear(); }

private:
    const QTextCharFormat &charFormat(const RtfCharProps &props);
    QTextBlockFormat blockFormat(const RtfParaProps &para) const;
    void applyToCurrentBlock(const RtfParaProps &para, const RtfCharProps &chars);

    QTextDocument *document_;
    const RtfTables &tables_;
    QString (*familyFor_)(const QString &);
    QTextCursor cursor_;
    bool undoWasEnabled_;
    bool blockEmpty_ = true;
    RtfParaProps blockPara_; // what the current block was created with
    std::vector<std::pair<RtfCharProps, QTextCharFormat>> formatCache_;
};
