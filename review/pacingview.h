#pragma once

#include <QWidget>
#include <optional>

#include "review/pacing.h"

class PacingBars;
class PacingTimeline;

// The pacing of an exam after Score: on the left the minutes spent reading each section, each set
// against the recommended plan; on the right a timeline of the items answered across the exam.
// Both are drawn by hand and described for screen readers.
class PacingView : public QWidget {
public:
    explicit PacingView(QWidget *parent = nullptr);

    void setPacing(const PacingRecord &record, const std::optional<PacingPlan> &plan);

    QWidget *bars() const;
    QWidget *timeline() const;

    // What the parts say to a screen reader.
    static QString describeBars(const PacingRecord &record, const std::optional<PacingPlan> &plan);
    static QString describeTimeline(const PacingRecord &record);

private:
    PacingBars *bars_;
    PacingTimeline *timeline_;
};
