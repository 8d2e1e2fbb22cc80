#pragma once

#include <QByteArrayView>
#include <QTextFormat>

class QTextDocument;

class QString;

struct RtfReadOptions {
    // What the formats name for a font of the document's font table: by default the table's name.
    QString (*familyFor)(const QString &fontName) = nullptr;
    // Reads no further than the end of this many paragraphs; a negative number reads them all.
    int paragraphs = -1;
};

// Reads an RTF document into `document`, replacing what it held. It never fails: whatever part
// of a damaged or hostile file could be read is shown, and nothing is reported.
void readRtf(QByteArrayView rtf, QTextDocument *document, const RtfReadOptions &options = {});

// The character format property that carries a run's \lang (a Windows language id, such as 1041
// for Japanese). Qt's formats have no language of their own; nothing draws differently by it.
inline constexpr int kRtfLanguageProperty = QTextFormat::UserProperty + 0x5254;
