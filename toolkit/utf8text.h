#pragma once

#include <QString>
#include <string_view>

// The built-in tables keep their texts as UTF-8 string views.
inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
