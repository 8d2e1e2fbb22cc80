#include "sheet/marking.h"

#include "sheet/questiongroups.h"

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

int sectionOf(int q) {
    return sheetlayout::group(q).label.front() - '0';
}

static_assert(sheetlayout::groups.back().label.front() - '0' == sectionCount);

MarkingReview reviewSheet(const SheetTicks &sheet, const AnswerKey &key) {
    // The points come from markSheet itself, so the review can never disagree with the score.
    const MarkingResult marked = markSheet(sheet, key);
    MarkingReview review;
    review.total = marked.total;
    for (int q = 1; q <= key.questionCount(); ++q) {
        const KeyEntry &entry = key.entry(q);
        ItemOutcome &item = review.items[static_cast<std::size_t>(q - 1)];
        item.question = q;
        for (int k = 1; k <= entry.choiceCount; ++k) {
            if (sheet.isTicked(q, k))
                item.ticks |= static_cast<std::uint16_t>(1u << (k - 1));
            if (entry.isCorrectChoice(k))
                item.keyTicks |= static_cast<std::uint16_t>(1u << (k - 1));
        }
        item.possible = entry.points;
        item.earned = marked.pointsFor(q);
        if (marked.isCorrect(q)) {
            item.kind = ItemOutcome::Kind::Correct;
            ++review.correctCount;
        } else if (item.ticks == 0) {
            item.kind = ItemOutcome::Kind::Unanswered;
            ++review.unansweredCount;
        } else {
            item.kind = ItemOutcome::Kind::Wrong;
            ++review.wrongCount;
        }

        SectionSubtotal &section = review.sections[static_cast<std::size_t>(sectionOf(q) - 1)];
        if (section.section == 0) {
            section.section = sectionOf(q);
            section.firstQuestion = q;
        }
        section.lastQuestion = q;
        section.earned += item.earned;
        section.possible += item.possible;
    }
    return review;
}
