#include "rtf/rtfreader.h"

#include "rtf/rtfdocumentbuilder.h"
#include "rtf/rtfparser.h"

void readRtf(QByteArrayView rtf, QTextDocument *document) {
    if (!document)
        return;
    RtfTables tables;
    RtfDocumentBuilder builder(document, tables);
    RtfParser parser(tables, builder);
    parser.parse(rtf);
}
