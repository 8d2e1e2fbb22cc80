#include "review/pacingview.h"

#include <QHBoxLayout>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "review/resultsmodel.h"
#include "review/resultstexts.h"
#include "sheet/questiongroups.h"
#include "toolkit/utf8text.h"

namespace {

const QColor kSpent(51, 102, 204);
const QColor kPlan(150, 150, 150);
const QColor kGrid(220, 220, 220);
constexpr int kRow = 16;

QString minutesWords(double minutes) {
    if (minutes > 0 && minutes < 0.5)
        return resultstexts::underAMinute;
    return resultstexts::minutes.arg(std::lround(minutes));
}

} // namespace

// Minutes per section against the plan: a filled bar for the time spent, an outlined one for the
// time planned, on one scale.
class PacingBars : public QWidget {
public:
    explicit PacingBars(QWidget *parent) : QWidget(parent) {
        setObjectName(QStringLiteral("pacingBars"));
        setAccessibleName(resultstexts::pacingBarsName);
    }

    void set(const PacingRecord &record, const std::optional<PacingPlan> &plan) {
        record_ = record;
        plan_ = plan;
        setAccessibleDescription(PacingView::describeBars(record, plan));
        update();
    }

    QSize sizeHint() const override { return QSize(330, (sectionCount + 2) * kRow + 4); }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        const QFontMetrics metrics = fontMetrics();
        painter.drawText(QRect(0, 0, width(), kRow), Qt::AlignLeft | Qt::AlignVCenter,
                         resultstexts::pacingBarsName);
        double most = 1;
        for (int s = 0; s < sectionCount; ++s) {
            most = std::max(most, record_.sectionMinutes[std::size_t(s)]);
            if (plan_)
                most = std::max(most, double(plan_->sectionMinutes[std::size_t(s)]));
        }
        const int labelWidth = metrics.horizontalAdvance(QStringLiteral("第０問 "));
        const int figuresWidth = metrics.horizontalAdvance(QStringLiteral("00分／計画00分"));
        const int barWidth = std::max(20, width() - labelWidth - figuresWidth - 8);
        for (int s = 0; s < sectionCount; ++s) {
            const int y = kRow * (s + 1) + 2;
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(QRect(0, y, labelWidth, kRow), Qt::AlignLeft | Qt::AlignVCenter,
                             ResultsModel::sectionName(s + 1));
            const double spent = record_.sectionMinutes[std::size_t(s)];
            const int spentWidth = int(std::lround(barWidth * spent / most));
            painter.fillRect(QRect(labelWidth, y + 3, spentWidth, kRow - 6), kSpent);
            QString figures = minutesWords(spent);
            if (plan_) {
                const int planned = plan_->sectionMinutes[std::size_t(s)];
                painter.setPen(kPlan);
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(QRect(labelWidth, y + 1,
                                       int(std::lround(barWidth * planned / most)), kRow - 3));
                figures += resultstexts::planned.arg(planned);
            }
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(QRect(labelWidth + barWidth + 8, y, figuresWidth, kRow),
                             Qt::AlignLeft | Qt::AlignVCenter, figures);
        }
        if (plan_) {
            const int y = kRow * (sectionCount + 1) + 4;
            painter.drawText(QRect(0, y, width(), kRow), Qt::AlignLeft | Qt::AlignVCenter,
                             resultstexts::checkPlanned.arg(plan_->checkMinutes));
        }
    }

private:
    PacingRecord record_;
    std::optional<PacingPlan> plan_;
};

// When each item was answered: one row per section, a dot at an item's first answer, a ring at
// its last change where that came later, and a line where the exam ended.
class PacingTimeline : public QWidget {
public:
    explicit PacingTimeline(QWidget *parent) : QWidget(parent) {
        setObjectName(QStringLiteral("pacingTimeline"));
        setAccessibleName(resultstexts::pacingTimelineName);
    }

    void set(const PacingRecord &record) {
        record_ = record;
        setAccessibleDescription(PacingView::describeTimeline(record));
        update();
    }

    QSize sizeHint() const override { return QSize(420, (sectionCount + 2) * kRow + 4); }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QFontMetrics metrics = fontMetrics();
        painter.drawText(QRect(0, 0, width(), kRow), Qt::AlignLeft | Qt::AlignVCenter,
                         resultstexts::pacingTimelineName);
        const int left = metrics.horizontalAdvance(QStringLiteral("第０問 "));
        const int right = width() - 8;
        const int top = kRow + 2, bottom = top + sectionCount * kRow;
        const double span = std::max<double>(record_.lengthMinutes, record_.endMs / 60000.0);
        auto x = [&](double minutes) {
            return left + (right - left) * minutes / std::max(1.0, span);
        };
        // Every ten minutes, a line and its figure under the rows.
        for (int m = 0; m <= span; m += 10) {
            painter.setPen(kGrid);
            painter.drawLine(QPointF(x(m), top), QPointF(x(m), bottom));
            painter.setPen(palette().color(QPalette::WindowText));
            painter.drawText(QRectF(x(m) - 20, bottom, 40, kRow), Qt::AlignCenter,
                             QString::number(m));
        }
        for (int s = 0; s < sectionCount; ++s)
            painter.drawText(QRect(0, top + s * kRow, left, kRow), Qt::AlignLeft | Qt::AlignVCenter,
                             ResultsModel::sectionName(s + 1));
        painter.setPen(Qt::NoPen);
        for (int q = 1; q <= AnswerKey::questionCount(); ++q) {
            const ItemTimes &times = record_.items[std::size_t(q - 1)];
            const double y = top + (sectionOf(q) - 1) * kRow + kRow / 2.0;
            if (times.firstAnswered) {
                painter.setPen(Qt::NoPen);
                painter.setBrush(kSpent);
                painter.drawEllipse(QPointF(x(*times.firstAnswered / 60000.0), y), 3, 3);
            }
            if (times.lastChanged && times.firstAnswered &&
                *times.lastChanged > *times.firstAnswered) {
                painter.setPen(QPen(kSpent, 1));
                painter.setBrush(Qt::NoBrush);
                painter.drawEllipse(QPointF(x(*times.lastChanged / 60000.0), y), 3.5, 3.5);
            }
        }
        painter.setPen(QPen(QColor(204, 0, 0), 1));
        const double end = x(record_.endMs / 60000.0);
        painter.drawLine(QPointF(end, top - 2), QPointF(end, bottom));
    }

private:
    PacingRecord record_;
};

PacingView::PacingView(QWidget *parent)
    : QWidget(parent), bars_(new PacingBars(this)), timeline_(new PacingTimeline(this)) {
    setObjectName(QStringLiteral("pacing"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bars_);
    layout->addWidget(timeline_, 1);
    // Both drawn whole: the rows, the plan's line and the minutes under the timeline.
    setMinimumHeight(std::max(bars_->sizeHint().height(), timeline_->sizeHint().height()));
}

void PacingView::setPacing(const PacingRecord &record, const std::optional<PacingPlan> &plan) {
    bars_->set(record, plan);
    timeline_->set(record);
}

QWidget *PacingView::bars() const {
    return bars_;
}

QWidget *PacingView::timeline() const {
    return timeline_;
}

QString PacingView::describeBars(const PacingRecord &record,
                                 const std::optional<PacingPlan> &plan) {
    QStringList parts;
    for (int s = 0; s < sectionCount; ++s) {
        QString part = ResultsModel::sectionName(s + 1) + QLatin1Char(' ') +
                       minutesWords(record.sectionMinutes[std::size_t(s)]);
        if (plan)
            part += resultstexts::plannedSpoken.arg(plan->sectionMinutes[std::size_t(s)]);
        parts << part;
    }
    if (plan)
        parts << resultstexts::checkPlanned.arg(plan->checkMinutes);
    return parts.join(resultstexts::itemSeparator);
}

QString PacingView::describeTimeline(const PacingRecord &record) {
    QStringList answered;
    int unanswered = 0;
    for (int q = 1; q <= AnswerKey::questionCount(); ++q) {
        const ItemTimes &times = record.items[std::size_t(q - 1)];
        if (!times.firstAnswered) {
            ++unanswered;
            continue;
        }
        QString part = fromUtf8(sheetlayout::group(q).label) + QLatin1Char(' ') +
                       resultstexts::minutes.arg(*times.firstAnswered / 60000);
        if (times.lastChanged && *times.lastChanged > *times.firstAnswered)
            part += resultstexts::lastChanged.arg(*times.lastChanged / 60000);
        answered << part;
    }
    QString text = resultstexts::answeredAt.arg(answered.join(resultstexts::itemSeparator));
    if (unanswered)
        text += resultstexts::neverAnswered.arg(unanswered);
    return text + resultstexts::endedAt.arg(std::lround(record.endMs / 60000.0));
}
