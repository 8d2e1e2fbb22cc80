#pragma once

#include <QImage>
#include <QRgb>
#include <QSize>
#include <array>
#include <numeric>

// Figure 2, 472 × 227: what customers of three age groups value most when they choose a hair
// salon, one pie chart per group, with a title, a percentage on every slice and a legend whose
// keys show each slice's colour and marks. The article and the questions of section 4 quote these
// percentages, and the figure's description in content/figure_descriptions.txt gives them too.
QImage drawPieChartFigure();

namespace piechart {

// How a slice is filled besides its colour, so that the chart still reads when printed in grey.
enum class Fill { Stripes, Dots, Lines, Plain, Solid };

struct Category {
    const char *name;
    QRgb colour;
    Fill fill;
    QRgb ink; // of the stripes, dots or lines; the whole slice for Solid
};

// Pale colours, and marks dark enough to stand out on any of them in grey. A reader of a grey print
// tells the slices apart by their marks alone, the plain one and the solid one included.
inline constexpr std::array<Category, 5> kCategories{{
    {"Price", qRgb(244, 177, 131), Fill::Stripes, qRgb(150, 60, 10)},
    {"Stylist's skill", qRgb(155, 194, 230), Fill::Dots, qRgb(20, 60, 130)},
    {"Location", qRgb(169, 208, 142), Fill::Lines, qRgb(40, 100, 30)},
    {"Atmosphere", qRgb(255, 230, 153), Fill::Plain, qRgb(255, 230, 153)},
    {"Friends/family", qRgb(206, 170, 210), Fill::Solid, qRgb(100, 55, 120)},
}};

// A rectangle of the category's fill, as its slices and its legend key show it.
QImage swatch(const Category &category, QSize size);

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
