#pragma once

#include <QByteArrayView>

class QTextDocument;

// Reads an RTF document into `document`, replacing what it held. It never fails: whatever part
// of a damaged or hostile file could be read is shown, and nothing is reported.
void readRtf(QByteArrayView rtf, QTextDocument *document);
