#include "review/attempts.h"

namespace {

bool isRight(const MarkingReview &review, int q) {
    return review.item(q).kind == ItemOutcome::Kind::Correct;
}

} // namespace

ItemChanges changesBetween(const MarkingReview &before, const MarkingReview &after) {
    ItemChanges changes{};
    for (int q = 1; q <= AnswerKey::questionCount(); ++q) {
        const bool was = isRight(before, q), is = isRight(after, q);
        changes[static_cast<std::size_t>(q - 1)] =
            was == is ? ItemChange::Same : (is ? ItemChange::Gained : ItemChange::Lost);
    }
    return changes;
}

std::vector<int> itemsToRetry(const MarkingReview &review) {
    std::vector<int> items;
    for (int q = 1; q <= AnswerKey::questionCount(); ++q)
        if (!isRight(review, q))
            items.push_back(q);
    return items;
}

FlaggedOutcome flaggedOutcome(const Attempt &attempt) {
    FlaggedOutcome outcome;
    for (int q = 1; q <= AnswerKey::questionCount(); ++q) {
        if (attempt.flagged.test(static_cast<std::size_t>(q - 1)))
            (isRight(attempt.review, q) ? outcome.right : outcome.wrong).push_back(q);
    }
    return outcome;
}

ItemChanges AttemptLog::latestChanges() const {
    if (attempts_.size() < 2)
        return ItemChanges{};
    return changesBetween(attempts_[attempts_.size() - 2].review, attempts_.back().review);
}
