#include "toolkit/rtfdocumentbuilder.h"

#include "toolkit/rtfreader.h"

#include <QTextDocument>

namespace {

// A document seldom uses more than a handful of distinct formats; a short list searched from the
// front beats hashing the properties.
constexpr std::size_t kFormatCacheSize = 32;

constexpr double kTwipsPerPixel = 15.0;

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument *document, const RtfTables &tables)
    : m_document(document), m_tables(tables), m_undoWasEnabled(document->isUndoRedoEnabled()) {
    // Recording undo steps for every run would double the cost of reading.
    m_document->setUndoRedoEnabled(false);
    m_document->clear();
    m_cursor = QTextCursor(m_document);
}

RtfDocumentBuilder::~RtfDocumentBuilder() {
    m_document->setUndoRedoEnabled(m_undoWasEnabled);
}

const QTextCharFormat &RtfDocumentBuilder::charFormat(const RtfCharProps &props) {
    for (const auto &[cached, format] : m_formatCache) {
        if (cached == props)
            return format;
    }

    QTextCharFormat format;
    if (const RtfFont *font = m_tables.font(props.font)) {
        if (!font->name.isEmpty())
            format.setFontFamilies(QStringList{font->name});
        if (font->fixedPitch) {
            format.setFontFixedPitch(true);
            format.setFontStyleHint(QFont::TypeWriter);
        } else if (font->styleHint != QFont::AnyStyle) {
            format.setFontStyleHint(font->styleHint);
        }
    }
    format.setFontPointSize(props.halfPoints / 2.0);
    if (props.bold)
        format.setFontWeight(QFont::Bold);
    if (props.italic)
        format.setFontItalic(true);
    if (props.strike)
        format.setFontStrikeOut(true);
    if (props.underline != QTextCharFormat::NoUnderline)
        format.setUnderlineStyle(props.underline);
    if (props.verticalAlignment != QTextCharFormat::AlignNormal)
        format.setVerticalAlignment(props.verticalAlignment);
    if (props.colour > 0 && props.colour < m_tables.colours.size()) {
        const QColor &colour = m_tables.colours.at(props.colour);
        if (colour.isValid())
            format.setForeground(colour);
    }
    if (props.language != 0)
        format.setProperty(kRtfLanguageProperty, props.language);

    if (m_formatCache.size() == kFormatCacheSize)
        m_formatCache.pop_back();
    m_formatCache.emplace(m_formatCache.begin(), props, format);
    return m_formatCache.front().second;
}

QTextBlockFormat RtfDocumentBuilder::blockFormat(const RtfParaProps &para) const {
    QTextBlockFormat format;
    format.setAlignment(para.alignment);
    if (para.leftTwips != 0)
        format.setLeftMargin(para.leftTwips / kTwipsPerPixel);
    if (para.rightTwips != 0)
        format.setRightMargin(para.rightTwips / kTwipsPerPixel);
    if (para.firstLineTwips != 0)
        format.setTextIndent(para.firstLineTwips / kTwipsPerPixel);
    return format;
}

void RtfDocumentBuilder::insertText(const QString &text, const RtfCharProps &props) {
    m_cursor.insertText(text, charFormat(props));
    m_blockEmpty = false;
}

void RtfDocumentBuilder::applyToCurrentBlock(const RtfParaProps &para, const RtfCharProps &chars) {
    // RTF states a paragraph's properties at its end, so the block learns them only now. An
    // empty paragraph takes its height from the block's character format.
    if (!(para == m_blockPara))
        m_cursor.setBlockFormat(blockFormat(para));
    if (m_blockEmpty)
        m_cursor.setBlockCharFormat(charFormat(chars));
}

void RtfDocumentBuilder::endParagraph(const RtfParaProps &para, const RtfCharProps &chars) {
    applyToCurrentBlock(para, chars);
    m_cursor.insertBlock(blockFormat(para), charFormat(chars));
    m_blockPara = para;
    m_blockEmpty = true;
}

void RtfDocumentBuilder::finish(const RtfParaProps &para, const RtfCharProps &chars) {
    applyToCurrentBlock(para, chars);
}
