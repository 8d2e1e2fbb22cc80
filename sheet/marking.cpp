#include "sheet/marking.h"

bool isAnsweredCorrectly(const SheetTicks &sheet, const KeyEntry &entry) {
    // The first box that disagrees with the key decides; no partial credit.
    for (int k = 1; k <= entry.choiceCount; ++k) {
        if (sheet.isTicked(entry.question, k) != entry.isCorrectChoice(k))
            return false;
    }
    return true;
}

MarkingResult markSheet(const SheetTicks &sheet, const AnswerKey &key) {
    MarkingResult result;
    for (int q = 1; q <= key.questionCount(); ++q) {
        const KeyEntry &entry = key.entry(q);
        if (isAnsweredCorrectly(sheet, entry))
            result.points[static_cast<std::size_t>(q - 1)] = entry.points;
    }
    for (int p : result.points)
        result.total += p;
    return result;
}
