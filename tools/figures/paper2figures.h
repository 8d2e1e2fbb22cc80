#pragma once

#include <QImage>
#include <QRect>
#include <QSize>
#include <array>
#include <numeric>

// The figures of the second practice paper (content/paper2/). Their descriptions are written by
// hand in content/paper2/figure_descriptions.txt; a changed drawing needs its description changed.

// Figure 1, 333 × 117: five school bags side by side over the labels ア to オ. From the left: a
// tall round bag closed by a drawstring, on one long strap with a headphone loop (the Bucket); a
// square backpack with a side pocket each side (the Brick); an open tote with two short handles and
// a paperback standing in it (the Basket); a wide flat bag whose buckled flap covers its front, on
// one long strap with a phone pocket (the Envelope); a rounded backpack with a curved zip (the
// Shell). Section 4's article describes them by these nicknames.
QImage drawPaper2Figure1();

// Figure 2, 472 × 227: what students of each school year spend most of their commute doing, one
// group of five bars a year, the bars told apart by their fills and labelled with percentages.
QImage drawPaper2Figure2();

// Figure 3, 522 × 304: six skies labelled ① to ⑥: small flat-bottomed puffs; one tower whose top
// spreads flat; a smooth lens resting on a mountain peak; rows of tiny puffs like scales; thin high
// threads with hooked ends; a flat grey layer hiding the tops of hills. The story in section 5
// describes them.
QImage drawPaper2Figure3();

namespace commutechart {

// Black and white, so that the chart reads the same on any printer: each bar's fill is a pattern.
enum class Fill { Solid, Stripes, Dots, Lines, Plain };

struct Activity {
    const char *name;
    Fill fill;
};

inline constexpr std::array<Activity, 5> kActivities{{
    {"Using a phone", Fill::Solid},
    {"Studying", Fill::Stripes},
    {"Reading", Fill::Dots},
    {"Music", Fill::Lines},
    {"Sleeping", Fill::Plain},
}};

// A rectangle of the activity's fill, as its bars and its legend key show it.
QImage swatch(const Activity &activity, QSize size);

struct Year {
    const char *caption;
    std::array<int, 5> percent; // in the order of kActivities
};

// Section 4 depends on these: the phone leads the first two years and studying the third,
// sleeping rises by five points a year while reading falls by five, music differs in every year,
// and the phone beats reading in every year.
inline constexpr std::array<Year, 3> kYears{{
    {"First-year", {40, 10, 15, 25, 10}},
    {"Second-year", {35, 20, 10, 20, 15}},
    {"Third-year", {15, 45, 5, 15, 20}},
}};

// Where the chart draws the bar of one year's activity, in the figure's pixels: its height is the
// percentage at 2.5 pixels a point, standing on the axis at y = 176.
QRect barRect(std::size_t year, std::size_t activity);

static_assert(std::accumulate(kYears[0].percent.begin(), kYears[0].percent.end(), 0) == 100);
static_assert(std::accumulate(kYears[1].percent.begin(), kYears[1].percent.end(), 0) == 100);
static_assert(std::accumulate(kYears[2].percent.begin(), kYears[2].percent.end(), 0) == 100);

} // namespace commutechart
