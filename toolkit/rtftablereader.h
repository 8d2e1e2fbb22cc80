#pragma once

#include "toolkit/rtfkeywords.h"
#include "toolkit/rtfproperties.h"

#include <QByteArray>

class RtfCodePages;

// Reads the font table and the colour table into RtfTables, word by word and byte by byte as
// the parser meets them.
class RtfTableReader {
public:
    RtfTableReader(RtfTables &tables, RtfCodePages &codePages);

    void beginFontTable();
    void fontWord(RtfKeyword keyword, int param);
    void fontByte(char byte);
    void fontUnicode(char16_t ch);
    // Stores the entry being read, if any: at its ';', at its group's end, or at the file's end.
    void endFontEntry();

    void beginColourTable();
    void colourWord(RtfKeyword keyword, int param);
    void colourByte(char byte);

private:
    void decodeFontName();

    RtfTables &m_tables;
    RtfCodePages &m_codePages;

    bool m_inFontEntry = false;
    int m_fontId = 0;
    bool m_fontCodePageFixed = false;
    RtfFont m_font;
    QByteArray m_fontNameBytes;

    int m_red = 0;
    int m_green = 0;
    int m_blue = 0;
    bool m_colourSet = false;
};
