#pragma once

#include <QMainWindow>
#include <array>
#include <memory>
#include <optional>

#include "app/examclock.h"
#include "review/attempts.h"
#include "toolkit/modelesswindow.h"

class Announcer;
class AnswerSheet;
class PaperView;
class QAction;
class QActionGroup;
struct BuiltInPaper;
class QLabel;
class QPushButton;
class QTimer;
class SignalPlayerInterface;
class WallClockInterface;

// The exam window: the paper, the answer sheet, the clock and the buttons that run an exam.
// The exam's state lives in its widgets; the handlers read and write them.
class ExamWindow : public QMainWindow {
public:
    static constexpr int verdictWindowCount = 6;

    // Null seams mean the system's clock and a real player.
    explicit ExamWindow(const WallClockInterface *wallClock = nullptr,
                        SignalPlayerInterface *player = nullptr, QWidget *parent = nullptr);
    ~ExamWindow() override;

    void cmdスタート_Click();
    void cmd得点_Click();
    void cmd合格率_Click();
    void tmr時間_Timer();
    void mnuExit_Click();
    void mnuAbout_Click();
    void mnu結果_Click();
    void mnu解答消去_Click();
    void mnu解き直し_Click();
    // Paper index of the built-in papers, 0 for the designed one.
    void mnu問題_Click(int index);

    int paperIndex() const { return paper_; }

    AnswerSheet *answerSheet() const { return SSTab2; }
    // The verdict window of band 1 to 6, or null when it is not open.
    QWidget *verdictWindow(int band) const;
    QWidget *aboutWindow() const { return frmヘルプ.window(); }
    // The results window frm結果, or null when it is not open.
    QWidget *resultsWindow() const { return frm結果.window(); }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildWidgets();
    void setClockText(const QString &text);
    void setScoreText(const QString &text);
    void PlaySound(const QString &path);
    void goToItem(int q);
    void clearSheet();
    const BuiltInPaper &paper() const;
    void showPaper(int index);
    void setBetweenExamsEnabled(bool enabled);

    std::unique_ptr<WallClockInterface> ownWallClock_;
    std::unique_ptr<SignalPlayerInterface> ownPlayer_;
    SignalPlayerInterface *MMControl1;
    const WallClockInterface &wallClock_;
    ExamClock clock_;

    QPushButton *cmdスタート = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *lbl秒 = nullptr;
    QPushButton *cmd得点 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *lbl得点 = nullptr;
    QPushButton *cmd合格率 = nullptr;
    PaperView *stb英語 = nullptr;
    AnswerSheet *SSTab2 = nullptr;
    QTimer *tmr時間 = nullptr;
    QAction *mnu結果 = nullptr;
    QAction *mnu解き直し = nullptr;
    QActionGroup *mnu問題 = nullptr;      // one radio item per built-in paper, in the table's order
    QActionGroup *mnu試験時間 = nullptr;  // one radio item per length of the exam clock
    int length_ = ExamClock::examMinutes; // what the next Start counts down from
    Announcer *announcer_ = nullptr;

    std::array<ModelessWindow, verdictWindowCount> frm合格ライン;
    ModelessWindow frmヘルプ;
    ModelessWindow frm結果;
    // Every Score of the run as the sheet stood then, so that ticks changed afterwards do not
    // creep into the review; the results window shows the latest while its score is shown.
    int paper_ = 0;
    AttemptLog attempts_;
    // The exam since its Start, sampled at each tick while the clock runs.
    PacingLog pacing_;
    qint64 pacingStartMs_ = 0;
    std::optional<qint64> pacingEndMs_; // since Start, when the clock reached 0:00
    bool scoreShown_ = false;
    bool clockStartedSinceScore_ = false;
    const QString signalFile_;
};
