#include "tests/memcheck/windowcycler.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <algorithm>

#include "app/examwindow.h"
#include "sheet/answerkey.h"
#include "sheet/answersheet.h"
#include "sheet/verdictband.h"

namespace {

void settle() {
    // Show and expose arrive as posted events; the paint follows them.
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

} // namespace

WindowCycler::WindowCycler(ExamWindow &exam) : exam_(exam) {
    // Whole items in key order until the band's threshold is reached; no item is worth enough to
    // jump a whole band, and the band is checked again on every score.
    for (const VerdictBand &band : verdictBands) {
        std::vector<int> &items = bandItems_[static_cast<std::size_t>(band.band - 1)];
        int total = 0;
        for (const KeyEntry &entry : designKey) {
            if (total >= band.threshold)
                break;
            items.push_back(entry.question);
            total += entry.points;
        }
    }
}

int WindowCycler::scoreInBand(int band) {
    AnswerSheet *sheet = exam_.answerSheet();
    const std::vector<int> &items = bandItems_[static_cast<std::size_t>(band - 1)];
    for (const KeyEntry &entry : designKey) {
        const bool wanted = std::find(items.begin(), items.end(), entry.question) != items.end();
        for (int k = 1; k <= entry.choiceCount; ++k)
            sheet->box(entry.question, k)->setChecked(wanted && entry.isCorrectChoice(k));
    }
    exam_.cmd得点_Click();
    return exam_.findChild<QLabel *>(QStringLiteral("lbl得点"))->text().toInt();
}

QWidget *WindowCycler::openVerdict(int band) {
    const int score = scoreInBand(band);
    const Verdict verdict = lookupVerdict(QString::number(score));
    if (verdict.kind != Verdict::Kind::Band || verdict.band != band)
        return nullptr;
    exam_.cmd合格率_Click();
    return exam_.verdictWindow(band);
}

QWidget *WindowCycler::openResults(int) {
    // Reviews whatever the last verdict's Score marked.
    exam_.mnu結果_Click();
    return exam_.resultsWindow();
}

QWidget *WindowCycler::openAbout(int) {
    exam_.mnuAbout_Click();
    return exam_.aboutWindow();
}

QString WindowCycler::openAndClose(const QString &kind, QWidget *(WindowCycler::*open)(int),
                                   int band) {
    QWidget *window = (this->*open)(band);
    if (!window)
        return kind + QStringLiteral(" did not open");
    settle();
    if (!window->isVisible())
        return kind + QStringLiteral(" is not shown");
    if (openWindowCount() != 1)
        return kind + QStringLiteral(": %1 secondary windows open").arg(openWindowCount());
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (openWindowCount() != 0)
        return kind + QStringLiteral(" was not deleted on close");
    return {};
}

QString WindowCycler::cycle() {
    for (int band = 1; band <= ExamWindow::verdictWindowCount; ++band) {
        const QString error = openAndClose(QStringLiteral("verdict window %1").arg(band),
                                           &WindowCycler::openVerdict, band);
        if (!error.isEmpty())
            return error;
    }
    const QString error =
        openAndClose(QStringLiteral("results window"), &WindowCycler::openResults, 0);
    if (!error.isEmpty())
        return error;
    return openAndClose(QStringLiteral("About window"), &WindowCycler::openAbout, 0);
}

int WindowCycler::openWindowCount() const {
    int open = (exam_.aboutWindow() ? 1 : 0) + (exam_.resultsWindow() ? 1 : 0);
    for (int band = 1; band <= ExamWindow::verdictWindowCount; ++band)
        open += exam_.verdictWindow(band) ? 1 : 0;
    return open;
}
