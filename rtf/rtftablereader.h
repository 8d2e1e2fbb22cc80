#pragma once

#include "rtf/rtfkeywords.h"
#include "rtf/rtfproperties.h"

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

    RtfTables &tables_;
    RtfCodePages &codePages_;

    bool inFontEntry_ = false;
    int fontId_ = 0;
    bool fontCodePageFixed_ = false;
    RtfFont font_;
    QByteArray fontNameBytes_;

    int red_ = 0;
    int green_ = 0;
    int blue_ = 0;
    bool colourSet_ = false;
};
