#pragma once

#include "toolkit/rtfcodepages.h"
#include "toolkit/rtfkeywords.h"
#include "toolkit/rtfproperties.h"
#include "toolkit/rtftablereader.h"

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
    RtfParser(RtfTables &tables, RtfDocumentBuilder &builder);

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

    RtfTables &m_tables;
    RtfDocumentBuilder &m_builder;
    RtfCodePages m_codePages;
    RtfTableReader m_tableReader{m_tables, m_codePages};

    const char *m_end = nullptr;
    GroupState m_state;
    std::vector<GroupState> m_stack;
    int m_overflowDepth = 0;
    int m_skipChars = 0; // \u fallback characters still to drop

    // Text read but not yet written: bytes still to decode, then decoded text, all in one format.
    QByteArray m_bytes;
    int m_bytesCodePage = 1252;
    QString m_text;
    RtfCharProps m_textProps;
    int m_codePageFont = -2; // font whose code page m_codePage caches; -2 for none
    int m_codePage = 1252;
};
