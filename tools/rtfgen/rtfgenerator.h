#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>

// What the generator made of a document source: the RTF bytes, or the faults that stopped it,
// each as "line N: what is wrong".
struct GeneratedRtf {
    QByteArray rtf;
    QStringList errors;
};

// Turns a UTF-8 document source into code page 932 RTF. The same source always gives the same
// bytes.
//
// The first line names the profile, "@profile paper" or "@profile plain". Lines starting with
// "@#" are comments; every other line is one paragraph. Inline tags <r> (red), <u> (underline),
// <e> and <w> (English in Century or the Western Gothic), <big> (10.5 pt) may nest but must close
// on their own line. "&lt;", "&gt;" and "&amp;" stand for the characters they name.
GeneratedRtf generateRtf(QByteArrayView source);
