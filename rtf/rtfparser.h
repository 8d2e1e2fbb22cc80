#pragma once

#include "rtf/rtfcodepages.h"
#include "rtf/rtfkeywords.h"
#include "rtf/rtfproperties.h"
#include "rtf/rtftablereader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

class RtfDocumentBuilder;

// Reads RTF from bytes in one pass, without recursion, and hands text runs and paragraph ends
// to the builder. The group stack is capped, numbers are clamped and \bin data is stepped over,
// so no input makes it hang, crash or grow without bound.
class RtfParser {
public:
    // Stops at the end of the `paragraphs`th paragraph, if that is not negative.
    RtfParser(RtfTables &tables, RtfDocumentBuilder &builder, int paragraphs = -1);

    void parse(QByteArrayView rtf);

    // Deeper groups than this share the state of the deepest one kept.
    static constexpr int kMaxDepth = 512;

private:
    enum class Destination : quint8 { Body, FontTable, ColourTable, Skip };

    struct GroupState {
        RtfCharProps chars;
        RtfParaProps para;
        Destination destination = Destination::Body;
        int unicodeSkip = 1;
    };

    struct ControlWord {
        RtfKeyword keyword = RtfKeyword::Unknown;
        bool hasParam = false;
        int param = 0;
    };

    const char *controlSequence(const char *p);
    const char *readControlWord(const char *p, ControlWord &word) const;
    const char *plainText(const char *p);
    const char *dispatch(const ControlWord &word, const char *p);
    void dispatchBodyWord(const ControlWord &word);
    void openGroup();
    bool closeGroup();

    void textByte(char byte);
    void appendBytes(const char *bytes, qsizetype count);
    void appendChar(char16_t ch);
    void unicodeChar(int value);
    void decodeBytes();
    void flushRun();
    void paragraph();
    int currentCodePage();

    void tablesChanged();

    RtfTables &tables_;
    RtfDocumentBuilder &builder_;
    RtfCodePages codePages_;
    RtfTableReader tableReader_{tables_, codePages_};

    const char *end_ = nullptr;
    int paragraphsLeft_; // negative: no end but the document's
    GroupState state_;
    std::vector<GroupState> stack_;
    int overflowDepth_ = 0;
    int skipChars_ = 0; // \u fallback characters still to drop

    // Text read but not yet written: bytes still to decode, then decoded text, all in one format.
    QByteArray bytes_;
    int bytesCodePage_ = 1252;
    QString text_;
    RtfCharProps textProps_;
    int codePageFont_ = -2; // font whose code page codePage_ caches; -2 for none
    int codePage_ = 1252;
};
