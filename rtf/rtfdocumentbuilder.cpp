#include "rtf/rtfdocumentbuilder.h"

#include "rtf/rtfreader.h"

#include <QTextDocument>

namespace {

// A document seldom uses more than a handful of distinct formats; a short list searched from the
// front beats hashing the properties.
constexpr std::size_t kFormatCacheSize = 32;

constexpr double kTwipsPerPixel = 15.0;

} // namespace

RtfDocumentBuilder::RtfDocumentBuilder(QTextDocument *document, const RtfTables &tables,
                                       QString (*familyFor)(const QString &))
    : document_(document), tables_(tables), familyFor_(familyFor),
      undoWasEnabled_(document->isUndoRedoEnabled()) {
    // Recording undo steps for every run would double the cost of reading.
    document_->setUndoRedoEnabled(false);
    document_->clear();
    cursor_ = QTextCursor(document_);
    // Outside an edit block every run tells the layout its paragraph changed, and the layout
    // takes the whole paragraph apart again: reading grew with the square of the runs in one
    // paragraph. Inside one block the layout hears of the document once, when it is complete.
    cursor_.beginEditBlock();
}

RtfDocumentBuilder::~RtfDocumentBuilder() {
    cursor_.endEditBlock();
    document_->setUndoRedoEnabled(undoWasEnabled_);
}

const QTextCharFormat &RtfDocumentBuilder::charFormat(const RtfCharProps &props) {
    for (const auto &[cached, format] : formatCache_) {
        if (cached == props)
            return format;
    }

    QTextCharFormat format;
    if (const RtfFont *font = tables_.font(props.font)) {
        if (!font->name.isEmpty())
            format.setFontFamilies(QStringList{familyFor_ ? familyFor_(font->name) : font->name});
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
    if (props.colour > 0 && props.colour < tables_.colours.size()) {
        const QColor &colour = tables_.colours.at(props.colour);
        if (colour.isValid())
            format.setForeground(colour);
    }
    if (props.language != 0)
        format.setProperty(kRtfLanguageProperty, props.language);

    if (formatCache_.size() == kFormatCacheSize)
        formatCache_.pop_back();
    formatCache_.emplace(formatCache_.begin(), props, format);
    return formatCache_.front().second;
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
    cursor_.insertText(text, charFormat(props));
    blockEmpty_ = false;
}

void RtfDocumentBuilder::applyToCurrentBlock(const RtfParaProps &para, const RtfCharProps &chars) {
    // RTF states a paragraph's properties at its end, so the block learns them only now. An
    // empty paragraph takes its height from the block's character format.
    if (!(para == blockPara_))
        cursor_.setBlockFormat(blockFormat(para));
    if (blockEmpty_)
        cursor_.setBlockCharFormat(charFormat(chars));
}

void RtfDocumentBuilder::endParagraph(const RtfParaProps &para, const RtfCharProps &chars) {
    applyToCurrentBlock(para, chars);
    cursor_.insertBlock(blockFormat(para), charFormat(chars));
    blockPara_ = para;
    blockEmpty_ = true;
}

void RtfDocumentBuilder::finish(const RtfParaProps &para, const RtfCharProps &chars) {
    applyToCurrentBlock(para, chars);
}
