#include "app/papers.h"

#include <array>

namespace {

// clang-format off
constexpr KeyTable kSecondKey{{
    { 1,  4, {4}, 2},
    { 2,  4, {2}, 2},
    { 3,  4, {1}, 2},
    { 4,  4, {3}, 2},
    { 5,  4, {3}, 3},
    { 6,  4, {1}, 3},
    { 7,  4, {4}, 3},
    { 8,  4, {2}, 3},
    { 9,  4, {3}, 2},
    {10,  4, {1}, 2},
    {11,  4, {4}, 2},
    {12,  4, {2}, 2},
    {13,  4, {1}, 2},
    {14,  4, {3}, 2},
    {15,  4, {2}, 2},
    {16,  4, {4}, 2},
    {17,  4, {1}, 2},
    {18,  4, {3}, 2},
    {19,  4, {2}, 2},
    {20,  4, {4}, 2},
    {21,  4, {1}, 2},
    {22,  4, {3}, 2},
    {23,  5, {2, 5}, 4},
    {24,  5, {2, 3}, 4},
    {25,  5, {1, 4}, 4},
    {26,  4, {1}, 5},
    {27,  4, {2}, 5},
    {28,  6, {6}, 6},
    {29,  6, {3}, 6},
    {30,  6, {4}, 8},
    {31,  6, {5}, 7},
    {32,  4, {2}, 7},
    {33,  4, {3}, 7},
    {34,  4, {1}, 7},
    {35,  4, {4}, 7},
    {36,  6, {3}, 6},
    {37,  6, {5}, 6},
    {38,  6, {2}, 6},
    {39,  4, {4}, 6},
    {40,  4, {1}, 6},
    {41,  4, {2}, 6},
    {42,  4, {4}, 6},
    {43,  4, {1}, 6},
    {44,  4, {3}, 6},
    {45,  4, {2}, 6},
    {46, 10, {2, 4, 7}, 15},
}};
// clang-format on
static_assert(AnswerKey(kSecondKey).maxTotal() == 200);

// clang-format off
constexpr KeyTable kThirdKey{{
    { 1,  4, {2}, 2},
    { 2,  4, {1}, 2},
    { 3,  4, {4}, 2},
    { 4,  4, {2}, 2},
    { 5,  4, {1}, 3},
    { 6,  4, {3}, 3},
    { 7,  4, {4}, 3},
    { 8,  4, {3}, 3},
    { 9,  4, {3}, 2},
    {10,  4, {1}, 2},
    {11,  4, {4}, 2},
    {12,  4, {2}, 2},
    {13,  4, {3}, 2},
    {14,  4, {2}, 2},
    {15,  4, {4}, 2},
    {16,  4, {1}, 2},
    {17,  4, {2}, 2},
    {18,  4, {1}, 2},
    {19,  4, {2}, 2},
    {20,  4, {4}, 2},
    {21,  4, {1}, 2},
    {22,  4, {3}, 2},
    {23,  5, {1, 4}, 4},
    {24,  5, {3, 5}, 4},
    {25,  5, {1, 3}, 4},
    {26,  4, {3}, 5},
    {27,  4, {2}, 5},
    {28,  6, {6}, 6},
    {29,  6, {1}, 6},
    {30,  6, {5}, 8},
    {31,  6, {5}, 7},
    {32,  4, {3}, 7},
    {33,  4, {1}, 7},
    {34,  4, {4}, 7},
    {35,  4, {2}, 7},
    {36,  6, {4}, 6},
    {37,  6, {5}, 6},
    {38,  6, {3}, 6},
    {39,  4, {1}, 6},
    {40,  4, {3}, 6},
    {41,  4, {2}, 6},
    {42,  4, {4}, 6},
    {43,  4, {1}, 6},
    {44,  4, {3}, 6},
    {45,  4, {1}, 6},
    {46, 10, {1, 6, 8}, 15},
}};
// clang-format on
static_assert(AnswerKey(kThirdKey).maxTotal() == 200);

// Only the first paper is read at start-up; the others and every answer book lie in the
// content registered on first use (toolkit/latecontent.h).
constexpr std::array kPapers{
    BuiltInPaper{"第１回",
                 {":/content/exam_paper.rtf",
                  {":/content/figure1.jpg", ":/content/figure2.jpg", ":/content/figure3.jpg"},
                  ":/content/figure_descriptions.txt"},
                 &designKey,
                 ":/content/answer_book.md"},
    BuiltInPaper{"第２回",
                 {":/content/paper2/exam_paper.rtf",
                  {":/content/paper2/figure1.jpg", ":/content/paper2/figure2.jpg",
                   ":/content/paper2/figure3.jpg"},
                  ":/content/paper2/figure_descriptions.txt"},
                 &kSecondKey,
                 ":/content/paper2/answer_book.md"},
    BuiltInPaper{"第３回",
                 {":/content/paper3/exam_paper.rtf",
                  {":/content/paper3/figure1.jpg", ":/content/paper3/figure2.jpg",
                   ":/content/paper3/figure3.jpg"},
                  ":/content/paper3/figure_descriptions.txt"},
                 &kThirdKey,
                 ":/content/paper3/answer_book.md"},
};

} // namespace

std::span<const BuiltInPaper> builtInPapers() {
    return kPapers;
}
