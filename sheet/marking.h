#pragma once

#include <array>

#include "sheet/answerkey.h"

// Read access to the ticks of an answer sheet, so that marking runs on widgets and on plain
// sheet states alike.
class SheetTicks {
public:
    virtual ~SheetTicks() = default;
    virtual bool isTicked(int q, int k) const = 0;
};

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
