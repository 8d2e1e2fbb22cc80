#pragma once

#include <QImage>
#include <QRgb>
#include <array>
#include <numeric>

// Figure 2, 472 × 227: what customers of three age groups value most when they choose a hair
// salon, one pie chart per group, with a title, a percentage on every slice and a legend. The
// article and the questions of section 4 quote these percentages, and the figure's description in
// content/figure_descriptions.txt gives them too.
QImage drawPieChartFigure();

namespace piechart {

struct Category {
    const char *name;
    QRgb colour;
};

// Pale enough that black percentages stay readable on every slice.
inline constexpr std::array<Category, 5> kCategories{{
    {"Price", qRgb(244, 177, 131)},
    {"Stylist's skill", qRgb(155, 194, 230)},
    {"Location", qRgb(169, 208, 142)},
    {"Atmosphere", qRgb(255, 230, 153)},
    {"Friends/family", qRgb(206, 170, 210)},
}};

struct AgeGroup {
    const char *caption;
    std::array<int, 5> percent; // in the order of kCategories
};

// The section 4 questions depend on these: friends/family is 10 in every group, skill rises from
// 20 to 45, price falls from 35 to 15, and the 30-49 group ties skill with location.
inline constexpr std::array<AgeGroup, 3> kGroups{{
    {"Ages 15-19", {35, 20, 10, 25, 10}},
    {"Ages 30-49", {20, 30, 30, 10, 10}},
    {"Ages 60 and over", {15, 45, 25, 5, 10}},
}};

static_assert(std::accumulate(kGroups[0].percent.begin(), kGroups[0].percent.end(), 0) == 100);
static_assert(std::accumulate(kGroups[1].percent.begin(), kGroups[1].percent.end(), 0) == 100);
static_assert(std::accumulate(kGroups[2].percent.begin(), kGroups[2].percent.end(), 0) == 100);

} // namespace piechart
