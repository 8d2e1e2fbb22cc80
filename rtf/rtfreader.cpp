#include "rtf/rtfreader.h"

#include "rtf/rtfdocumentbuilder.h"
#include "rtf/rtfparser.h"

void readRtf(QByteArrayView rtf, QTextDocument *document, const RtfReadOptions &options) {
    if (!document)
        return;
    RtfTables tables;
    RtfDocumentBuilder builder(document, tables, options.familyFor);
    RtfParser parser(tables, builder, options.paragraphs);
    parser.parse(rtf);
}
