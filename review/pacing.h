#pragma once

#include <QByteArrayView>
#include <QString>
#include <array>
#include <map>
#include <optional>
#include <vector>

#include "sheet/marking.h"

// When each item was first answered and last changed, in milliseconds since Start.
struct ItemTimes {
    std::optional<qint64> firstAnswered;
    std::optional<qint64> lastChanged;
};

// How an exam was paced, as the results show it: the minutes spent reading each section, the
// items' times, the exam's length and how long it ran until Score.
struct PacingRecord {
    int lengthMinutes = 0;
    qint64 endMs = 0;
    std::array<double, sectionCount> sectionMinutes{};
    std::array<ItemTimes, AnswerKey::questionCount()> items{};
};

// What the exam window sees while the clock runs, turned into a PacingRecord. At every tick it is
// told which section the learner is reading and what the sheet holds; each sample's section is
// credited with the time until the next sample, the last one with the time until the end.
class PacingLog {
public:
    // Starts anew; ticksOf(q) gives what the sheet holds then, which counts as no answer given
    // during the exam.
    template <class Ticks> void start(int lengthMinutes, Ticks ticksOf) {
        *this = PacingLog();
        started_ = true;
        lengthMinutes_ = lengthMinutes;
        for (int q = 1; q <= AnswerKey::questionCount(); ++q)
            ticks_[std::size_t(q - 1)] = ticksOf(q);
    }
    bool isStarted() const { return started_; }

    // At msSinceStart, the learner reads section (1 to 6; 0 for none) and item q holds the ticks
    // given by ticksOf(q).
    template <class Ticks> void sample(qint64 msSinceStart, int section, Ticks ticksOf) {
        addSample(msSinceStart, section);
        for (int q = 1; q <= AnswerKey::questionCount(); ++q)
            noteTicks(q, msSinceStart, ticksOf(q));
    }

    // The record as of msSinceStart, when the exam ended.
    PacingRecord finish(qint64 msSinceStart) const;

private:
    void addSample(qint64 ms, int section);
    void noteTicks(int q, qint64 ms, std::uint16_t ticks);

    struct Sample {
        qint64 ms;
        int section;
    };
    bool started_ = false;
    int lengthMinutes_ = 0;
    std::vector<Sample> samples_;
    std::array<std::uint16_t, AnswerKey::questionCount()> ticks_{};
    std::array<ItemTimes, AnswerKey::questionCount()> items_{};
};

// A recommended plan: minutes per section, then minutes left to check, adding up to the length.
struct PacingPlan {
    std::array<int, sectionCount> sectionMinutes{};
    int checkMinutes = 0;
};

// Reads the plans, one line per length: "LENGTH: S1 S2 S3 S4 S5 S6 CHECK"; "#" starts a comment.
// A line whose figures do not add up to its length is left out.
std::map<int, PacingPlan> readPacingPlans(QByteArrayView utf8);
// The built-in plan for the length, if there is one.
std::optional<PacingPlan> builtInPacingPlan(int lengthMinutes);
