#include "review/pacing.h"

#include <QFile>
#include <QRegularExpression>
#include <numeric>

#include "toolkit/latecontent.h"

void PacingLog::addSample(qint64 ms, int section) {
    // Samples come in time order; one with the same section as the last adds nothing.
    if (!samples_.empty() && samples_.back().section == section)
        return;
    samples_.push_back({ms, section});
}

void PacingLog::noteTicks(int q, qint64 ms, std::uint16_t ticks) {
    std::uint16_t &before = ticks_[std::size_t(q - 1)];
    if (ticks == before)
        return;
    ItemTimes &times = items_[std::size_t(q - 1)];
    if (!times.firstAnswered && ticks != 0)
        times.firstAnswered = ms;
    times.lastChanged = ms;
    before = ticks;
}

PacingRecord PacingLog::finish(qint64 msSinceStart) const {
    PacingRecord record;
    record.lengthMinutes = lengthMinutes_;
    record.endMs = msSinceStart;
    record.items = items_;
    for (std::size_t i = 0; i < samples_.size(); ++i) {
        const qint64 from = samples_[i].ms;
        const qint64 to = i + 1 < samples_.size() ? samples_[i + 1].ms : msSinceStart;
        const int section = samples_[i].section;
        if (section >= 1 && section <= sectionCount && to > from)
            record.sectionMinutes[std::size_t(section - 1)] += (to - from) / 60000.0;
    }
    return record;
}

std::map<int, PacingPlan> readPacingPlans(QByteArrayView utf8) {
    static const QRegularExpression line(
        QStringLiteral("^\\s*(\\d+)\\s*:((?:\\s+\\d+){%1})\\s*$").arg(sectionCount + 1));
    std::map<int, PacingPlan> plans;
    for (const QString &text : QString::fromUtf8(utf8).split(QLatin1Char('\n'))) {
        const auto m = line.match(text.trimmed().startsWith(u'#') ? QString() : text.trimmed());
        if (!m.hasMatch())
            continue;
        const QStringList figures = m.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        PacingPlan plan;
        for (int s = 0; s < sectionCount; ++s)
            plan.sectionMinutes[std::size_t(s)] = figures[s].toInt();
        plan.checkMinutes = figures[sectionCount].toInt();
        const int length = m.captured(1).toInt();
        const int total = std::accumulate(plan.sectionMinutes.begin(), plan.sectionMinutes.end(),
                                          plan.checkMinutes);
        if (total == length)
            plans[length] = plan;
    }
    return plans;
}

std::optional<PacingPlan> builtInPacingPlan(int lengthMinutes) {
    static const std::map<int, PacingPlan> plans = [] {
        registerLateContent();
        QFile file(QStringLiteral(":/content/pacing_plan.txt"));
        return file.open(QIODevice::ReadOnly) ? readPacingPlans(file.readAll())
                                              : std::map<int, PacingPlan>();
    }();
    const auto it = plans.find(lengthMinutes);
    return it == plans.end() ? std::nullopt : std::optional<PacingPlan>(it->second);
}
