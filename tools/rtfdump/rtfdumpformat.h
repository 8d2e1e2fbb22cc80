#pragma once

#include <QString>

class QTextDocument;

// The document's text, one line per paragraph, each ended by a line feed; a line break inside a
// paragraph also ends a line. The empty paragraph that a document's closing \par opens is left
// out, as plain-text exports of RTF leave it out, so the output can be diffed against them.
QString documentPlainText(const QTextDocument &document);

// Every paragraph with its runs: the text and the family, size, colour, underline, weight,
// slant and language of each.
QString documentRuns(const QTextDocument &document);
