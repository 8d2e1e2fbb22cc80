#pragma once

#include <QList>
#include <QString>
#include <random>

class ExamWindow;
class FakeWallClock;
class QPoint;
class QWidget;

// A restless user for the monkey test: each call does one random thing to the exam window and
// its secondary windows and says what it did. Every choice comes from the seeded generator, so a
// seed names one sequence of events.
class MonkeyUser {
public:
    MonkeyUser(quint32 seed, FakeWallClock &wallClock) : rng_(seed), wallClock_(wallClock) {}

    QString act(ExamWindow &window);

    // The verdict and About windows that are open, in band order, About last.
    static QList<QWidget *> openSecondaryWindows(const ExamWindow &window);

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    QString randomClick(ExamWindow &window);
    QString randomKey(ExamWindow &window);
    void clickBox(ExamWindow &window, int q, int k);
    QString answerByKey(ExamWindow &window, int q);
    QString press(ExamWindow &window, const char *button);
    QString closeSecondaryWindow(ExamWindow &window);
    QString advanceClock(ExamWindow &window);
    static QString tick(ExamWindow &window);

    std::mt19937 rng_;
    FakeWallClock &wallClock_;
};
