#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "sheet/answerkey.h"

// Read access to the ticks of an answer sheet, so that marking runs on widgets and on plain
// sheet states alike.
class SheetTicks {
public:
    virtual ~SheetTicks() = default;
    virtual bool isTicked(int q, int k) const = 0;
};

// The items a learner marked to come back to (見直し), bit q - 1 for question q: notes of their
// own, which marking never reads.
using ItemFlags = std::bitset<AnswerKey::questionCount()>;

struct MarkingResult {
    std::array<int, AnswerKey::questionCount()> points{}; // per question, 0 when wrong
    int total = 0;

    bool isCorrect(int q) const { return points[static_cast<std::size_t>(q - 1)] > 0; }
    int pointsFor(int q) const { return points[static_cast<std::size_t>(q - 1)]; }
};

// True when the ticked boxes of question q are exactly the key's choices.
bool isAnsweredCorrectly(const SheetTicks &sheet, const KeyEntry &entry);

// Marks every question; changes nothing on the sheet.
MarkingResult markSheet(const SheetTicks &sheet, const AnswerKey &key);

// What one item came to: the boxes ticked, and the points it earned of those it is worth. An
// unanswered item is wrong too; it is told apart so that a learner sees what was skipped.
struct ItemOutcome {
    enum class Kind { Correct, Wrong, Unanswered };

    int question = 0;
    std::uint16_t ticks = 0;    // bit k - 1 set when box k is ticked
    std::uint16_t keyTicks = 0; // the key's choices, likewise
    Kind kind = Kind::Unanswered;
    int earned = 0;
    int possible = 0;

    bool isTicked(int k) const { return (ticks >> (k - 1)) & 1u; }
};

// The paper's sections, 第１問 to 第６問, with the points earned of those each is worth.
struct SectionSubtotal {
    int section = 0; // 1 to 6
    int firstQuestion = 0;
    int lastQuestion = 0;
    int earned = 0;
    int possible = 0;
};

inline constexpr int sectionCount = 6;

// A marked sheet item by item and section by section, with the total markSheet gives. It keeps
// the key it was marked against, so that a review needs nothing else.
struct MarkingReview {
    std::array<ItemOutcome, AnswerKey::questionCount()> items{};
    std::array<SectionSubtotal, sectionCount> sections{};
    int total = 0;
    int correctCount = 0;
    int wrongCount = 0; // answered but wrong
    int unansweredCount = 0;

    const ItemOutcome &item(int q) const { return items[static_cast<std::size_t>(q - 1)]; }
};

// The section (1 to 6) question q belongs to: the first digit of its tab label.
int sectionOf(int q);

// Marks the sheet as markSheet does and keeps what each item and section came to.
MarkingReview reviewSheet(const SheetTicks &sheet, const AnswerKey &key);
