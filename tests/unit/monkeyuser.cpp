#include "monkeyuser.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>
#include <numeric>

#include "app/examwindow.h"
#include "fakewallclock.h"
#include "sheet/answerkey.h"
#include "sheet/answersheet.h"

namespace {

enum class Action {
    Click,
    Key,
    TickBox,
    AnswerByKey,
    AnswerAllByKey,
    Start,
    Score,
    PassRate,
    About,
    CloseWindow,
    Exit,
    AdvanceClock,
    Tick,
    Retry
};

struct WeightedAction {
    Action action;
    int weight;
};

// Clicks and keys dominate; Score and Exit are rare enough that the clock runs out now and then.
constexpr WeightedAction kActions[] = {
    {Action::Click, 24},         {Action::Key, 20},          {Action::TickBox, 8},
    {Action::AnswerByKey, 3},    {Action::Start, 5},         {Action::Score, 2},
    {Action::PassRate, 4},       {Action::About, 3},         {Action::CloseWindow, 6},
    {Action::Exit, 1},           {Action::AdvanceClock, 20}, {Action::Tick, 3},
    {Action::AnswerAllByKey, 1}, {Action::Retry, 2},
};

struct KeyChoice {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char *name;
};

// No key that opens a context menu: its nested event loop would wait for a user who never comes.
constexpr KeyChoice kKeys[] = {
    {Qt::Key_Space, Qt::NoModifier, "Space"},
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Left, Qt::NoModifier, "Left"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},
    {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Tab, Qt::ControlModifier, "Ctrl+Tab"},
    {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Tab"},
    {Qt::Key_Return, Qt::NoModifier, "Return"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},
    {Qt::Key_G, Qt::AltModifier, "Alt+G"},
    {Qt::Key_H, Qt::AltModifier, "Alt+H"},
    {Qt::Key_M, Qt::ControlModifier, "Ctrl+M"},
    {Qt::Key_Home, Qt::NoModifier, "Home"},
    {Qt::Key_End, Qt::NoModifier, "End"},
    {Qt::Key_PageDown, Qt::NoModifier, "PageDown"},
};

// Through the platform window, so that an open menu sees the click as it would a user's.
void clickAt(QWidget *top, QPoint pos) {
    QTest::mouseClick(top->windowHandle(), Qt::LeftButton, {}, pos);
}

void clickWidget(QWidget *w, QPoint local) {
    clickAt(w->window(), w->mapTo(w->window(), local));
}

} // namespace

QList<QWidget *> MonkeyUser::openSecondaryWindows(const ExamWindow &window) {
    QList<QWidget *> open;
    for (int band = 1; band <= ExamWindow::verdictWindowCount; ++band)
        if (QWidget *w = window.verdictWindow(band); w && w->isVisible())
            open << w;
    if (QWidget *w = window.aboutWindow(); w && w->isVisible())
        open << w;
    return open;
}

QString MonkeyUser::act(ExamWindow &window) {
    int roll =
        below(std::accumulate(std::begin(kActions), std::end(kActions), 0,
                              [](int sum, const WeightedAction &a) { return sum + a.weight; }));
    Action action = kActions[0].action;
    for (const WeightedAction &a : kActions) {
        if (roll < a.weight) {
            action = a.action;
            break;
        }
        roll -= a.weight;
    }
    switch (action) {
    case Action::Click:
        return randomClick(window);
    case Action::Key:
        return randomKey(window);
    case Action::TickBox: {
        const int q = 1 + below(AnswerKey::questionCount());
        const int k = 1 + below(window.answerSheet()->choiceCount(q));
        clickBox(window, q, k);
        return QStringLiteral("box %1(%2)").arg(q).arg(k);
    }
    case Action::AnswerByKey:
        return answerByKey(window, 1 + below(AnswerKey::questionCount()));
    case Action::AnswerAllByKey:
        for (int q = 1; q <= AnswerKey::questionCount(); ++q)
            answerByKey(window, q);
        return QStringLiteral("answer every question by the key");
    case Action::Start:
        return press(window, "cmdスタート");
    case Action::Score:
        return press(window, "cmd得点");
    case Action::PassRate:
        return press(window, "cmd合格率");
    case Action::About:
        window.findChild<QAction *>(QStringLiteral("mnuAbout"))->trigger();
        return QStringLiteral("menu About");
    case Action::CloseWindow:
        return closeSecondaryWindow(window);
    case Action::Exit:
        window.findChild<QAction *>(QStringLiteral("mnuExit"))->trigger();
        return QStringLiteral("menu Exit");
    case Action::AdvanceClock:
        return advanceClock(window);
    case Action::Tick:
        return QStringLiteral("tick") + tick(window);
    case Action::Retry:
        window.findChild<QAction *>(QStringLiteral("mnu解き直し"))->trigger();
        return QStringLiteral("menu retry");
    }
    return QString();
}

QString MonkeyUser::randomClick(ExamWindow &window) {
    QList<QWidget *> targets = openSecondaryWindows(window);
    targets.prepend(&window);
    if (QWidget *popup = QApplication::activePopupWidget())
        targets << popup << popup; // it lies on top, so it catches more of the clicks
    QWidget *top = targets[below(static_cast<int>(targets.size()))];
    const QPoint pos(below(top->width()), below(top->height()));
    const QWidget *under = top->childAt(pos);
    const QString what = QStringLiteral("click %1 (%2,%3) on %4")
                             .arg(top->objectName())
                             .arg(pos.x())
                             .arg(pos.y())
                             .arg(under ? under->objectName() : QStringLiteral("-"));
    clickAt(top, pos);
    return what;
}

QString MonkeyUser::randomKey(ExamWindow &window) {
    QWindow *target = QGuiApplication::focusWindow();
    if (!target)
        target = window.windowHandle();
    if (below(4) == 0) {
        const int letter = below(26);
        QTest::keyClick(target, static_cast<Qt::Key>(Qt::Key_A + letter));
        return QStringLiteral("key %1").arg(QChar(char16_t(u'A' + letter)));
    }
    const KeyChoice &k = kKeys[below(static_cast<int>(std::size(kKeys)))];
    QTest::keyClick(target, k.key, k.modifiers);
    return QStringLiteral("key %1").arg(QLatin1String(k.name));
}

// Turns to question q's tab and clicks its box k, as a user ticks an answer.
void MonkeyUser::clickBox(ExamWindow &window, int q, int k) {
    AnswerSheet *sheet = window.answerSheet();
    clickWidget(sheet, sheet->tabRect(q - 1).center());
    QCheckBox *b = sheet->box(q, k);
    clickWidget(b, QPoint(6, b->height() / 2));
}

// Sets question q's boxes to the key: a user who knows the answers, so that the higher bands
// turn up too.
QString MonkeyUser::answerByKey(ExamWindow &window, int q) {
    const KeyEntry &entry = AnswerKey().entry(q);
    for (int k = 1; k <= entry.choiceCount; ++k)
        if (window.answerSheet()->box(entry.question, k)->isChecked() != entry.isCorrectChoice(k))
            clickBox(window, entry.question, k);
    return QStringLiteral("answer %1 by the key").arg(entry.question);
}

QString MonkeyUser::press(ExamWindow &window, const char *button) {
    auto *b = window.findChild<QPushButton *>(QString::fromUtf8(button));
    clickWidget(b, b->rect().center());
    return QStringLiteral("press %1").arg(QString::fromUtf8(button));
}

QString MonkeyUser::closeSecondaryWindow(ExamWindow &window) {
    const QList<QWidget *> open = openSecondaryWindows(window);
    // Both draws happen whatever is open, so the generator stays in step with the seed.
    const int which = below(ExamWindow::verdictWindowCount + 1);
    const bool byCloseBox = below(2) == 0;
    if (open.isEmpty())
        return QStringLiteral("close nothing");
    QWidget *w = open[which % open.size()];
    const QString what = QStringLiteral("close %1").arg(w->objectName());
    if (byCloseBox) {
        w->close();
        return what + QStringLiteral(" by its close box");
    }
    QTest::keyClick(w->windowHandle(), Qt::Key_Escape);
    return what + QStringLiteral(" by Escape");
}

QString MonkeyUser::advanceClock(ExamWindow &window) {
    // Seconds, minutes, or a long stretch away from the desk.
    const int roll = below(20);
    const int seconds = roll < 8 ? 1 + below(59) : roll < 14 ? 60 + below(540) : 600 + below(1800);
    wallClock_.advanceMs(seconds * 1000LL);
    return QStringLiteral("advance %1 s").arg(seconds) + tick(window);
}

// The real timer fires only while it runs.
QString MonkeyUser::tick(ExamWindow &window) {
    if (!window.findChild<QTimer *>(QStringLiteral("tmr時間"))->isActive())
        return QStringLiteral(" (timer stopped)");
    window.tmr時間_Timer();
    return QStringLiteral(", tick");
}
