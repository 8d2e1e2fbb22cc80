#pragma once

#include <cstddef>

// Code page 932's two-byte characters: lead bytes 0x81-0x9F and 0xE0-0xFC, each with the trail
// bytes 0x40-0x7E and 0x80-0xFC, in that order; U+FFFD where a pair stands for no character.
inline constexpr std::size_t kCp932TrailCount = 188;
inline constexpr std::size_t kCp932PairCount = 60 * kCp932TrailCount;
extern const char16_t kCp932Pairs[kCp932PairCount];

inline std::size_t cp932PairIndex(unsigned char lead, unsigned char trail) {
    const std::size_t leadIndex = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + 0x1F;
    const std::size_t trailIndex = trail <= 0x7E ? trail - 0x40 : trail - 0x41;
    return leadIndex * kCp932TrailCount + trailIndex;
}
