#pragma once

#include <algorithm>
#include <array>
#include <numeric>

// One row of the key: question q's choice count, the set of correct choices (one, two or three
// choice numbers; unused places are 0) and the points the question is worth.
struct KeyEntry {
    int question;
    int choiceCount;
    std::array<int, 3> correct;
    int points;

    constexpr bool isCorrectChoice(int k) const {
        return k != 0 && std::find(correct.begin(), correct.end(), k) != correct.end();
    }
};

// A paper's key: one row per item of the answer sheet, in the sheet's order.
using KeyTable = std::array<KeyEntry, 46>;

// The designed paper's key.
// clang-format off
inline constexpr KeyTable designKey{{
    { 1,  4, {1},        2},
    { 2,  4, {3},        2},
    { 3,  4, {2},        2},
    { 4,  4, {3},        2},
    { 5,  4, {2},        3},
    { 6,  4, {4},        3},
    { 7,  4, {1},        3},
    { 8,  4, {3},        3},
    { 9,  4, {2},        2},
    {10,  4, {4},        2},
    {11,  4, {1},        2},
    {12,  4, {3},        2},
    {13,  4, {2},        2},
    {14,  4, {3},        2},
    {15,  4, {4},        2},
    {16,  4, {1},        2},
    {17,  4, {3},        2},
    {18,  4, {1},        2},
    {19,  4, {1},        2},
    {20,  4, {2},        2},
    {21,  4, {3},        2},
    {22,  4, {4},        2},
    {23,  5, {2, 4},     4},
    {24,  5, {4, 5},     4},
    {25,  5, {1, 2},     4},
    {26,  4, {1},        5},
    {27,  4, {1},        5},
    {28,  6, {5},        6},
    {29,  6, {4},        6},
    {30,  6, {1},        8},
    {31,  6, {1},        7},
    {32,  4, {4},        7},
    {33,  4, {3},        7},
    {34,  4, {1},        7},
    {35,  4, {2},        7},
    {36,  6, {2},        6},
    {37,  6, {4},        6},
    {38,  6, {6},        6},
    {39,  4, {3},        6},
    {40,  4, {3},        6},
    {41,  4, {4},        6},
    {42,  4, {3},        6},
    {43,  4, {3},        6},
    {44,  4, {3},        6},
    {45,  4, {1},        6},
    {46, 10, {3, 5, 10}, 15},
}};
// clang-format on

// A paper's key as a value; the designed paper's unless another paper's table is given.
class AnswerKey {
public:
    constexpr AnswerKey(const KeyTable &table = designKey) : table_(&table) {}

    static constexpr int questionCount() { return static_cast<int>(std::tuple_size_v<KeyTable>); }

    constexpr const KeyTable &entries() const { return *table_; }
    // Question q, 1 to 46.
    constexpr const KeyEntry &entry(int q) const {
        return (*table_)[static_cast<std::size_t>(q - 1)];
    }

    constexpr int maxTotal() const {
        return std::accumulate(table_->begin(), table_->end(), 0,
                               [](int sum, const KeyEntry &e) { return sum + e.points; });
    }

private:
    const KeyTable *table_;
};

static_assert(AnswerKey().maxTotal() == 200);
