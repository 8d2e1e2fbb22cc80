#include "app/papers.h"

#include <array>

namespace {

// Only the first paper is read at start-up; the others and every answer book lie in the
// content registered on first use (toolkit/latecontent.h).
constexpr std::array kPapers{
    BuiltInPaper{"第１回",
                 {":/content/exam_paper.rtf",
                  {":/content/figure1.jpg", ":/content/figure2.jpg", ":/content/figure3.jpg"},
                  ":/content/figure_descriptions.txt"},
                 &designKey,
                 ":/content/answer_book.md"},
};

} // namespace

std::span<const BuiltInPaper> builtInPapers() {
    return kPapers;
}
