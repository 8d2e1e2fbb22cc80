#include "rtf/rtfreader.h"

#include "rtf/rtfdocumentbuilder.h"
#include "rtf/rtfparser.h"

void readRtf(QByteArrayView rtf, QTextDocument *document, RtfFamilyMap familyFor) {
    if (!document)
        return;
    RtfTables tables;
    RtfDocumentBuilder builder(document, tables, familyFor);
    RtfParser parser(tables, builder);
    parser.parse(rtf);
}
