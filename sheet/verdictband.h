#pragma once

#include <QString>
#include <array>
#include <string_view>

struct Rect {
    int left, top, width, height;
};

struct Rgb {
    int red, green, blue;
};

// One score band: the test on the score, and the content of its verdict window.
struct VerdictBand {
    enum class Test { AtLeast, Equal };

    int band;
    Test test;
    int threshold;
    std::string_view badge; // UTF-8, with its leading half-width blank
    Rgb badgeColour;
    std::string_view message; // UTF-8, with its leading half-width blank
    Rect badgeGeometry;
    Rect messageGeometry;
    Rect documentGeometry;

    constexpr bool matches(long long score) const {
        return test == Test::AtLeast ? score >= threshold : score == threshold;
    }
};

// clang-format off
inline constexpr std::array<VerdictBand, 6> verdictBands{{
    {1, VerdictBand::Test::AtLeast, 200, " 合格率 ９９％", {255, 0, 0},
     " あなたはカンニングの天才です・・・ バレなければ一流大学９９％合格です。",
     {320, 8, 169, 25}, {96, 48, 609, 17}, {0, 80, 793, 497}},
    {2, VerdictBand::Test::AtLeast, 160, " 合格率 ８０％", {255, 192, 128},
     " 一流大学までもう少しです。 一生懸命お祈りしましょう。",
     {304, 8, 169, 25}, {160, 48, 465, 17}, {0, 80, 793, 489}},
    {3, VerdictBand::Test::AtLeast, 120, " 合格率 ５０％", {255, 255, 128},
     " 四流大学にリーチ。 合コン生活までもう少しです。",
     {312, 8, 169, 25}, {192, 48, 417, 17}, {0, 80, 793, 497}},
    {4, VerdictBand::Test::AtLeast, 80, " 合格率 １０％", {128, 255, 128},
     " 浪人生活にリーチです。 機械の故障に期待しましょう。",
     {312, 16, 169, 25}, {176, 56, 449, 17}, {0, 88, 793, 489}},
    {5, VerdictBand::Test::AtLeast, 1, " 合格率 ０％", {128, 255, 255},
     " 受験料がもったいないです。 親に迷惑をかけるのはやめましょう。",
     {320, 8, 153, 25}, {136, 48, 529, 17}, {0, 80, 793, 497}},
    {6, VerdictBand::Test::Equal, 0, " 計測不能", {128, 128, 255},
     " 裏口入学も無理です。 大学生になるには自分で経営しましょう。",
     {336, 8, 121, 25}, {144, 48, 513, 17}, {0, 80, 793, 497}},
}};
// clang-format on

struct Verdict {
    enum class Kind { NoScore, Band, NoBand };
    Kind kind;
    int band = 0; // 1 to 6 when kind is Band
};

// The verdict for the score label's text: empty is no score; a whole number picks the first
// band whose test it passes; anything else, or a number no band takes, is no band.
Verdict lookupVerdict(const QString &scoreText);
