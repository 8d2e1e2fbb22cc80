#pragma once

#include <QString>
#include <array>
#include <vector>

class ExamWindow;
class QWidget;

// Opens and closes the exam window's secondary windows the way a user would, through the
// window's own handlers, and says what went wrong if a window did not come or did not go.
class WindowCycler {
public:
    static constexpr int kindCount = 7; // the About window and the six verdict windows

    explicit WindowCycler(ExamWindow &exam);

    // Ticks exactly the key's choices of the items that make up a score in `band` (1 to 6),
    // unticks everything else and presses Score. Returns the score shown.
    int scoreInBand(int band);

    // One cycle: each verdict window in turn (scoring into its band first), then the results, then
    // About; each is shown, painted, closed by its close box and deleted. Returns an empty string
    // on success.
    QString cycle();

    // Secondary windows open now, of all kinds.
    int openWindowCount() const;

private:
    QString openAndClose(const QString &kind, QWidget *(WindowCycler::*open)(int), int band);
    QWidget *openVerdict(int band);
    QWidget *openResults(int);
    QWidget *openAbout(int);

    ExamWindow &exam_;
    std::array<std::vector<int>, 6> bandItems_; // the items ticked for band b at b - 1
};
