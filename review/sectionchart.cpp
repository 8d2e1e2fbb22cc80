#include "review/sectionchart.h"

#include <QPainter>

#include "review/resultsmodel.h"
#include "review/resultstexts.h"

namespace {

constexpr int kBarArea = 100; // pixels for 100 %
const QColor kBarColour(64, 112, 192);
const QColor kTrackColour(224, 224, 224);

} // namespace

SectionChart::SectionChart(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("chart"));
    setAccessibleName(resultstexts::chartName);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void SectionChart::setSections(const std::array<SectionSubtotal, sectionCount> &sections) {
    sections_ = sections;
    QStringList parts;
    for (int s = 1; s <= sectionCount; ++s)
        parts << resultstexts::sectionPercent.arg(ResultsModel::sectionName(s)).arg(percent(s));
    setAccessibleDescription(parts.join(QStringLiteral("、")));
    update();
}

int SectionChart::percent(int section) const {
    const SectionSubtotal &s = sections_[static_cast<std::size_t>(section - 1)];
    return s.possible > 0 ? (s.earned * 100 + s.possible / 2) / s.possible : 0;
}

QSize SectionChart::sizeHint() const {
    const int line = fontMetrics().height();
    return QSize(sectionCount * fontMetrics().horizontalAdvance(QStringLiteral("第０問　")),
                 kBarArea + 2 * line + 8);
}

void SectionChart::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QFontMetrics metrics = fontMetrics();
    const int line = metrics.height();
    const int top = line + 2; // room for the figure above a full bar
    const int baseline = top + kBarArea;
    const int slot = width() / sectionCount;
    const int barWidth = slot / 2;

    for (int s = 1; s <= sectionCount; ++s) {
        const int left = (s - 1) * slot + (slot - barWidth) / 2;
        const int height = percent(s) * kBarArea / 100;
        painter.fillRect(QRect(left, top, barWidth, kBarArea), kTrackColour);
        painter.fillRect(QRect(left, baseline - height, barWidth, height), kBarColour);

        painter.setPen(palette().color(QPalette::WindowText));
        const QRect figure(left - slot / 4, baseline - height - line - 1, barWidth + slot / 2,
                           line);
        painter.drawText(figure, Qt::AlignHCenter | Qt::AlignBottom,
                         QStringLiteral("%1%").arg(percent(s)));
        const QRect name((s - 1) * slot, baseline + 4, slot, line);
        painter.drawText(name, Qt::AlignHCenter | Qt::AlignTop, ResultsModel::sectionName(s));
    }
}
