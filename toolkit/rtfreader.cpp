#include "toolkit/rtfreader.h"

#include "toolkit/rtfdocumentbuilder.h"
#include "toolkit/rtfparser.h"

void readRtf(QByteArrayView rtf, QTextDocument *document) {
    if (!document)
        return;
    RtfTables tables;
    RtfDocumentBuilder builder(document, tables);
    RtfParser parser(tables, builder);
    parser.parse(rtf);
}
