#pragma once

#include <QByteArray>
#include <QStringEncoder>
#include <QStringView>

// Builds the bytes of an RTF file: control words, groups and text in code page 932. It keeps the
// file readable by breaking long lines before a control word, which RTF readers ignore.
class RtfWriter {
public:
    RtfWriter();

    // A control word such as "\\par" or "\\f4"; a delimiting blank is added only when text follows.
    void controlWord(QByteArrayView word);
    void openGroup();
    void closeGroup();
    // Text as it should read; escapes RTF's special characters and encodes the rest.
    void text(QStringView text);
    // Ends a paragraph and the file's line with it.
    void paragraphEnd();
    // Bytes written as they stand, for fixed parts of the header.
    void raw(QByteArrayView bytes);
    // Starts a new line of the file; RTF readers ignore it.
    void lineBreak();

    QByteArray bytes() const { return out; }

private:
    void character(char32_t codePoint, QStringView units);
    void beginControl();
    void beginText();

    QByteArray out;
    qsizetype lineStart = 0;
    bool delimiterPending = false;
    QStringEncoder encoder;
};
