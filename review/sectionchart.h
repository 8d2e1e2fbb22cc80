#pragma once

#include <QWidget>
#include <array>

#include "sheet/marking.h"

// A bar per section: the percentage of its points scored, the figure on the bar, the section's
// name under it. Drawn by hand; six bars do not need a chart library on the start-up path.
class SectionChart : public QWidget {
public:
    explicit SectionChart(QWidget *parent = nullptr);

    void setSections(const std::array<SectionSubtotal, sectionCount> &sections);
    // Rounded to whole percent, 0 for a section worth nothing.
    int percent(int section) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::array<SectionSubtotal, sectionCount> sections_{};
};
