#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <numeric>

// The third paper's figure 2, 472 × 227: how many days a week people of four age groups eat
// breakfast, one bar of 100 percent per group, split into four answers with a percentage on every
// part and a legend. The article and the questions of section 4 quote these percentages, and the
// figure's description in content/paper3/figure_descriptions.txt gives them too.
QImage drawPaper3Figure2();

namespace breakfastchart {

// How a part of a bar is filled: shades and marks that tell the answers apart in grey.
enum class Fill { Solid, Stripes, Dots, Plain };

struct Answer {
    const char *name;
    Fill fill;
};

inline constexpr std::array<Answer, 4> kAnswers{{
    {"Every day", Fill::Solid},
    {"4-6 days a week", Fill::Stripes},
    {"1-3 days a week", Fill::Dots},
    {"Almost never", Fill::Plain},
}};

// A rectangle of the answer's fill, as its parts of the bars and its legend key show it.
QImage swatch(const Answer &answer, QSize size);

struct AgeGroup {
    const char *caption;
    std::array<int, 4> percent; // in the order of kAnswers
};

// The section 4 questions depend on these: the twenties (20-29) have the most "Almost never" (20)
// and the most "1-3 days" (15); the teenagers (13-19) eat breakfast at least four days a week 80
// percent of the time, below the 85 percent of the oldest group who eat it every day; the
// teenagers and the 30-59 group are alike.
inline constexpr std::array<AgeGroup, 4> kGroups{{
    {"Ages 13-19", {62, 18, 12, 8}},
    {"Ages 20-29", {41, 24, 15, 20}},
    {"Ages 30-59", {61, 17, 11, 11}},
    {"Ages 60 and over", {85, 5, 5, 5}},
}};

constexpr bool allAddUpToHundred() {
    for (const AgeGroup &g : kGroups)
        if (std::accumulate(g.percent.begin(), g.percent.end(), 0) != 100)
            return false;
    return true;
}
static_assert(allAddUpToHundred());

} // namespace breakfastchart
