#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QTextCharFormat>

#include <unordered_map>

// Character properties as RTF states them, before they become a QTextCharFormat: comparing
// these is cheap, so runs are cut only where something really changes.
struct RtfCharProps {
    int font = -1; // -1: the document's default font (\deff)
    int halfPoints = 24;
    int colour = 0; // index into the colour table; 0 is "auto"
    int language = 0;
    bool bold = false;
    bool italic = false;
    bool strike = false;
    bool hidden = false; // \v: text the writer keeps but does not show
    QTextCharFormat::UnderlineStyle underline = QTextCharFormat::NoUnderline;
    QTextCharFormat::VerticalAlignment verticalAlignment = QTextCharFormat::AlignNormal;

    bool operator==(const RtfCharProps &) const = default;
};

struct RtfParaProps {
    Qt::Alignment alignment = Qt::AlignLeft;
    int leftTwips = 0;
    int rightTwips = 0;
    int firstLineTwips = 0;

    bool operator==(const RtfParaProps &) const = default;
};

struct RtfFont {
    QString name;
    int codePage = -1; // -1: the document's code page
    bool fixedPitch = false;
    QFont::StyleHint styleHint = QFont::AnyStyle;
};

// The document-wide tables: fonts, colours and the defaults the header sets.
struct RtfTables {
    std::unordered_map<int, RtfFont> fonts;
    QList<QColor> colours; // an invalid colour stands for "auto"
    int defaultFont = 0;
    int defaultCodePage = 1252;

    const RtfFont *font(int id) const {
        const auto it = fonts.find(id < 0 ? defaultFont : id);
        return it == fonts.end() ? nullptr : &it->second;
    }
    int codePage(int fontId) const {
        const RtfFont *f = font(fontId);
        return f && f->codePage >= 0 ? f->codePage : defaultCodePage;
    }
};
