#pragma once

#include <QDateTime>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "review/pacing.h"
#include "sheet/marking.h"

// Every Score of a run is an attempt: what the sheet came to, which items were marked to come
// back to, when it was scored and, after a Start, how long it took and how it was paced. Kept in
// memory only.
struct Attempt {
    MarkingReview review;
    ItemFlags flagged;
    QDateTime scoredAt;
    std::optional<int> minutesUsed;
    std::optional<PacingRecord> pacing;
};

// How an item's outcome moved from one attempt to the next.
enum class ItemChange {
    Same,
    Gained, // ×→○: wrong or unanswered before, right now
    Lost,   // ○→×: right before, wrong or unanswered now
};
using ItemChanges = std::array<ItemChange, AnswerKey::questionCount()>;

ItemChanges changesBetween(const MarkingReview &before, const MarkingReview &after);

// The items to try again after a Score: every one wrong or unanswered, in the sheet's order.
std::vector<int> itemsToRetry(const MarkingReview &review);

// The marked items of an attempt, told apart by how they came out, each in the sheet's order.
struct FlaggedOutcome {
    std::vector<int> right;
    std::vector<int> wrong; // unanswered ones included
};
FlaggedOutcome flaggedOutcome(const Attempt &attempt);

// The attempts of this run, oldest first.
class AttemptLog {
public:
    void add(Attempt attempt) { attempts_.push_back(std::move(attempt)); }
    void clear() { attempts_.clear(); }

    bool isEmpty() const { return attempts_.empty(); }
    int count() const { return static_cast<int>(attempts_.size()); }
    // Attempt n of the run, 1 for the first.
    const Attempt &at(int n) const { return attempts_.at(static_cast<std::size_t>(n - 1)); }
    const Attempt &latest() const { return attempts_.back(); }
    // The latest attempt against the one before it; all the same for the first.
    ItemChanges latestChanges() const;

private:
    std::vector<Attempt> attempts_;
};
