// libFuzzer target: the RTF reader must take any bytes without crashing, hanging, leaking or
// growing without bound.

#include "rtf/rtfreader.h"

#include <QTextBlock>
#include <QTextDocument>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    QTextDocument document;
    readRtf(QByteArrayView(data, static_cast<qsizetype>(size)), &document);
    // Walk what was built, so that a malformed document structure is noticed here.
    qsizetype length = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it)
            length += it.fragment().length();
    }
    return length < 0 ? 1 : 0;
}
