#include "app/examwindow.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <utility>

#include "app/examwindowtexts.h"
#include "app/papers.h"
#include "app/programfolder.h"
#include "app/wallclockinterface.h"
#include "documents/aboutwindow.h"
#include "documents/paperview.h"
#include "review/resultswindow.h"
#include "sheet/answersheet.h"
#include "sheet/verdictband.h"
#include "sheet/verdictwindow.h"
#include "toolkit/announcer.h"
#include "toolkit/fonts.h"
#include "toolkit/latecontent.h"
#include "toolkit/modulesignalplayer.h"

namespace {

constexpr QSize kClientSize(792, 554);
const QColor kLabelBackground(255, 128, 255);

// The client area: the background picture drawn unscaled from its top-left corner. The picture
// repeats a small tile, and on a screen of one pixel per point it is drawn as that tile,
// converted for the screen once: the first frame waits for no decoding of the whole picture.
class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget *parent) : QWidget(parent) {
        setFixedSize(kClientSize);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent *event) override {
        QPainter painter(this);
        if (devicePixelRatio() == 1) {
            if (tile_.isNull())
                tile_ = QPixmap(QStringLiteral(":/content/background_tile.png"));
            painter.drawTiledPixmap(event->rect(), tile_, event->rect().topLeft());
            return;
        }
        // Smooth when a scaled screen enlarges the picture, drawn whole so that the smoothing
        // has no seams between tiles.
        if (picture_.isNull())
            picture_ = QImage(QStringLiteral(":/content/background.gif"));
        painter.fillRect(event->rect(), QColor(255, 255, 128));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(0, 0, picture_);
    }

private:
    QPixmap tile_;
    QImage picture_;
};

template <std::size_t... I>
std::array<ModelessWindow, sizeof...(I)> verdictWindows(std::index_sequence<I...>) {
    return {ModelessWindow([] { return createVerdictWindow(static_cast<int>(I) + 1); })...};
}

} // namespace

ExamWindow::ExamWindow(const WallClockInterface *wallClock, SignalPlayerInterface *player,
                       QWidget *parent)
    : QMainWindow(parent), ownWallClock_(wallClock ? nullptr : std::make_unique<SystemWallClock>()),
      ownPlayer_(player ? nullptr : std::make_unique<ModuleSignalPlayer>(ProgramFolder())),
      MMControl1(player ? player : ownPlayer_.get()),
      wallClock_(wallClock ? *wallClock : *ownWallClock_), clock_(wallClock_),
      frm合格ライン(verdictWindows(std::make_index_sequence<verdictWindowCount>())),
      frmヘルプ([] { return new AboutWindow(ProgramFolder()); }), frm結果([this] {
          return new ResultsWindow(QString::fromUtf8(paper().title),
                                   QString::fromLatin1(paper().answerBook),
                                   [this](int q) { goToItem(q); });
      }),
      // The program's folder does not move while it runs; the path is worked out once.
      signalFile_(ProgramFolder() + QStringLiteral("Zikan.wav")) {
    setObjectName(QStringLiteral("frm英語"));
    setWindowTitle(texts::caption);
    setFont(designFont(9));
    buildMenus();
    buildWidgets();
    // The menu bar sits above the designed client area, as a window frame's menu would.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

ExamWindow::~ExamWindow() = default;

void ExamWindow::buildMenus() {
    QMenu *mnuGame = menuBar()->addMenu(texts::gameMenu);
    mnuGame->setObjectName(QStringLiteral("mnuGame"));
    QAction *mnu解答消去 = mnuGame->addAction(texts::clearItem);
    mnu解答消去->setObjectName(QStringLiteral("mnu解答消去"));
    connect(mnu解答消去, &QAction::triggered, this, &ExamWindow::mnu解答消去_Click);
    mnu結果 = mnuGame->addAction(texts::resultsItem);
    mnu結果->setObjectName(QStringLiteral("mnu結果"));
    mnu結果->setEnabled(false);
    connect(mnu結果, &QAction::triggered, this, &ExamWindow::mnu結果_Click);
    mnu解き直し = mnuGame->addAction(texts::retryItem);
    mnu解き直し->setObjectName(QStringLiteral("mnu解き直し"));
    mnu解き直し->setEnabled(false);
    connect(mnu解き直し, &QAction::triggered, this, &ExamWindow::mnu解き直し_Click);
    QMenu *mnuLength = mnuGame->addMenu(texts::lengthMenu);
    mnuLength->setObjectName(QStringLiteral("mnu試験時間"));
    mnu試験時間 = new QActionGroup(this);
    static_assert(std::size(texts::lengthItems) == ExamClock::lengths.size());
    for (std::size_t i = 0; i < ExamClock::lengths.size(); ++i) {
        const int length = ExamClock::lengths[i];
        QAction *choice = mnuLength->addAction(texts::lengthItems[i]);
        choice->setObjectName(QStringLiteral("mnu試験時間%1").arg(length));
        choice->setCheckable(true);
        choice->setChecked(length == length_);
        mnu試験時間->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, length] { length_ = length; });
    }
    mnuGame->addSeparator();
    QAction *mnuExit = mnuGame->addAction(texts::exitItem);
    mnuExit->setObjectName(QStringLiteral("mnuExit"));
    connect(mnuExit, &QAction::triggered, this, &ExamWindow::mnuExit_Click);

    QMenu *mnuPaper = menuBar()->addMenu(texts::paperMenu);
    mnuPaper->setObjectName(QStringLiteral("mnuPaper"));
    mnu問題 = new QActionGroup(this);
    const auto papers = builtInPapers();
    for (int i = 0; i < static_cast<int>(papers.size()); ++i) {
        QAction *choice = mnuPaper->addAction(QString::fromUtf8(papers[std::size_t(i)].title));
        choice->setObjectName(QStringLiteral("mnu問題%1").arg(i + 1));
        choice->setCheckable(true);
        choice->setChecked(i == paper_);
        mnu問題->addAction(choice);
        connect(choice, &QAction::triggered, this, [this, i] { mnu問題_Click(i); });
    }

    QMenu *mnuHelp = menuBar()->addMenu(texts::helpMenu);
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    QAction *mnuAbout = mnuHelp->addAction(texts::aboutItem);
    mnuAbout->setObjectName(QStringLiteral("mnuAbout"));
    connect(mnuAbout, &QAction::triggered, this, &ExamWindow::mnuAbout_Click);
}

void ExamWindow::buildWidgets() {
    auto *client = new ClientArea(this);
    setCentralWidget(client);

    auto button = [client](const char *name, const QString &caption, QRect geometry,
                           double pointSize) {
        auto *b = new QPushButton(caption, client);
        b->setObjectName(QString::fromUtf8(name));
        b->setGeometry(geometry);
        b->setFont(designFont(pointSize, true));
        return b;
    };
    // Labels align to the top, as the design's labels do, so the clock and the score sit level
    // with the words around them.
    auto label = [client](const char *name, const QString &text, QRect geometry, double pointSize,
                          Qt::Alignment alignment, bool coloured) {
        auto *l = new QLabel(text, client);
        l->setObjectName(QString::fromUtf8(name));
        l->setGeometry(geometry);
        l->setFont(designFont(pointSize, true));
        l->setAlignment(alignment | Qt::AlignTop);
        if (coloured) {
            l->setAutoFillBackground(true);
            QPalette palette = l->palette();
            palette.setColor(QPalette::Window, kLabelBackground);
            l->setPalette(palette);
        }
        return l;
    };

    cmdスタート = button("cmdスタート", texts::startButton, {24, 72, 73, 33}, 9);
    Label1 = label("Label1", texts::clockFrame, {8, 120, 105, 25}, 12, Qt::AlignRight, true);
    lbl秒 = label("lbl秒", QString(), {48, 120, 49, 25}, 14.25, Qt::AlignHCenter, true);
    cmd得点 = button("cmd得点", texts::scoreButton, {24, 232, 81, 33}, 9);
    Label4 = label("Label4", texts::average, {0, 272, 137, 17}, 9, Qt::AlignLeft, false);
    Label2 = label("Label2", texts::scoreUnit, {32, 296, 73, 25}, 14.25, Qt::AlignRight, true);
    lbl得点 = label("lbl得点", QString(), {48, 296, 28, 19}, 14.25, Qt::AlignLeft, true);
    setClockText(QString());
    setScoreText(QString());
    cmd合格率 = button("cmd合格率", texts::passRateButton, {24, 416, 81, 33}, 9.75);

    stb英語 = new PaperView(paper().documents, client);
    stb英語->setGeometry(128, 0, 660, 393);
    SSTab2 = new AnswerSheet(client);
    SSTab2->setGeometry(136, 392, 653, 161);

    tmr時間 = new QTimer(this);
    tmr時間->setObjectName(QStringLiteral("tmr時間"));
    tmr時間->setInterval(1000);
    // A coarse timer drifts by up to 5%; the clock does not depend on it, but the display should
    // change within a moment of the full minute.
    tmr時間->setTimerType(Qt::PreciseTimer);

    connect(cmdスタート, &QPushButton::clicked, this, &ExamWindow::cmdスタート_Click);
    connect(cmd得点, &QPushButton::clicked, this, &ExamWindow::cmd得点_Click);
    connect(cmd合格率, &QPushButton::clicked, this, &ExamWindow::cmd合格率_Click);
    connect(tmr時間, &QTimer::timeout, this, &ExamWindow::tmr時間_Timer);
}

// The labels' texts are bare figures; what a screen reader speaks says what they are.
void ExamWindow::setClockText(const QString &text) {
    lbl秒->setText(text);
    lbl秒->setAccessibleName(text.isEmpty() ? texts::clockName
                                            : texts::clockName + QLatin1Char(' ') + text);
}

void ExamWindow::setScoreText(const QString &text) {
    lbl得点->setText(text);
    lbl得点->setAccessibleName(text.isEmpty()
                                   ? texts::scoreName
                                   : texts::scoreName + QLatin1Char(' ') + text + texts::scoreUnit);
}

void ExamWindow::cmdスタート_Click() {
    tmr時間->start();
    clock_.start(length_);
    pacing_.start(length_, [this](int q) { return SSTab2->tickBits(q); });
    pacingStartMs_ = wallClock_.sinceBootMs();
    pacingEndMs_.reset();
    setClockText(clock_.displayText());
    cmdスタート->setEnabled(false);
    setBetweenExamsEnabled(false);
    setScoreText(QString());
    SSTab2->hideAllMarks();

    clockStartedSinceScore_ = true;
    scoreShown_ = false;
    mnu結果->setEnabled(false);
    mnu解き直し->setEnabled(false);
    frm結果.close();
}

void ExamWindow::tmr時間_Timer() {
    const qint64 sinceStart = wallClock_.sinceBootMs() - pacingStartMs_;
    if (pacing_.isStarted() && !pacingEndMs_)
        pacing_.sample(sinceStart, stb英語->sectionInView(),
                       [this](int q) { return SSTab2->tickBits(q); });
    const int before = clock_.hours() * 60 + clock_.minutes();
    if (clock_.minuteStep()) {
        setClockText(clock_.displayText());
        // Spoken at a few points only, never minute by minute, and without taking the focus.
        const QString warning = timeWarning(before, clock_.hours() * 60 + clock_.minutes());
        if (!warning.isEmpty()) {
            if (!announcer_)
                announcer_ = new Announcer(centralWidget());
            announcer_->announce(warning);
        }
    }

    const QString &path = signalFile_;
    MMControl1->setFileName(path);
    MMControl1->command(QStringLiteral("Open"));

    if (lbl秒->text() == QLatin1String("0:00")) {
        tmr時間->stop();
        if (!pacingEndMs_)
            pacingEndMs_ = sinceStart;
        PlaySound(path);
    }
}

void ExamWindow::PlaySound(const QString &) {
    // The player was opened on the signal file earlier in the same tick.
    MMControl1->command(QStringLiteral("Prev"));
    MMControl1->command(QStringLiteral("Play"));
}

void ExamWindow::cmd得点_Click() {
    cmdスタート->setEnabled(true);
    setBetweenExamsEnabled(true);
    setClockText(QString());
    tmr時間->stop();

    const MarkingReview review = reviewSheet(*SSTab2, AnswerKey(*paper().key));
    for (int q = 1; q <= AnswerKey::questionCount(); ++q)
        SSTab2->setMarkVisible(q, review.item(q).kind == ItemOutcome::Kind::Correct);
    setScoreText(QString::number(review.total));

    Attempt attempt{review, SSTab2->flags(), wallClock_.now(), std::nullopt, std::nullopt};
    if (clockStartedSinceScore_) {
        // What the clock showed when it stopped: the whole length when time ran out.
        attempt.minutesUsed = clock_.length() - (clock_.hours() * 60 + clock_.minutes());
        // Paced up to the Score, or up to 0:00 if time ran out first.
        attempt.pacing =
            pacing_.finish(pacingEndMs_.value_or(wallClock_.sinceBootMs() - pacingStartMs_));
    }
    attempts_.add(std::move(attempt));
    clockStartedSinceScore_ = false;
    scoreShown_ = true;
    mnu結果->setEnabled(true);
    mnu解き直し->setEnabled(!itemsToRetry(review).empty());
    if (auto *results = static_cast<ResultsWindow *>(frm結果.window()))
        results->setAttempts(attempts_);
}

void ExamWindow::mnu結果_Click() {
    // The item is disabled while no score is shown; a stray call opens nothing.
    if (!scoreShown_)
        return;
    const bool opening = !frm結果.window();
    auto *results = static_cast<ResultsWindow *>(frm結果.show());
    if (opening)
        results->setAttempts(attempts_);
}

// Unticks what the last Score found wrong, keeps what it found right, and turns the sheet to the
// first item to try again. The clock is left alone: a timed retry is a Start away.
void ExamWindow::mnu解き直し_Click() {
    if (!scoreShown_)
        return;
    const std::vector<int> retry = itemsToRetry(attempts_.latest().review);
    for (int q : retry)
        SSTab2->clearTicks(q);
    if (!retry.empty())
        SSTab2->setCurrentIndex(retry.front() - 1);
}

void ExamWindow::goToItem(int q) {
    SSTab2->setCurrentIndex(q - 1);
    show();
    raise();
    activateWindow();
}

void ExamWindow::mnu解答消去_Click() {
    // Asked without a nested event loop: the exam window's clock and tick go on meanwhile.
    auto *question = new QMessageBox(QMessageBox::Question, texts::clearTitle, texts::clearQuestion,
                                     QMessageBox::NoButton, this);
    question->setObjectName(QStringLiteral("msg解答消去"));
    question->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *yes = question->addButton(texts::yes, QMessageBox::YesRole);
    QPushButton *no = question->addButton(texts::no, QMessageBox::NoRole);
    question->setDefaultButton(no);
    question->setEscapeButton(no);
    connect(yes, &QPushButton::clicked, this, &ExamWindow::clearSheet);
    question->open();
}

// The ticks and the learner's own marks go; the red marks and the score keep meaning the last
// Score, and the attempts stay for the results window.
void ExamWindow::clearSheet() {
    SSTab2->clearAllTicks();
    SSTab2->clearFlags();
}

const BuiltInPaper &ExamWindow::paper() const {
    return builtInPapers()[static_cast<std::size_t>(paper_)];
}

// Another paper is chosen only between exams, as スタート is; what the sheet holds belongs to
// the paper it answers, so it goes, after a question if there is anything to lose.
void ExamWindow::mnu問題_Click(int index) {
    mnu問題->actions().at(paper_)->setChecked(true); // until the change is made
    if (index == paper_ || !cmdスタート->isEnabled())
        return;
    bool ticked = scoreShown_ || SSTab2->flags().any();
    for (int q = 1; q <= SSTab2->groupCount() && !ticked; ++q)
        for (int k = 1; k <= SSTab2->choiceCount(q) && !ticked; ++k)
            ticked = SSTab2->isTicked(q, k);
    if (!ticked) {
        showPaper(index);
        return;
    }
    const QString title = QString::fromUtf8(builtInPapers()[std::size_t(index)].title);
    auto *question =
        new QMessageBox(QMessageBox::Question, texts::changePaperTitle,
                        texts::changePaperQuestion.arg(title), QMessageBox::NoButton, this);
    question->setObjectName(QStringLiteral("msg問題"));
    question->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton *yes = question->addButton(texts::yes, QMessageBox::YesRole);
    QPushButton *no = question->addButton(texts::no, QMessageBox::NoRole);
    question->setDefaultButton(no);
    question->setEscapeButton(no);
    connect(yes, &QPushButton::clicked, this, [this, index] {
        // A Start while the question stood keeps the paper.
        if (cmdスタート->isEnabled())
            showPaper(index);
    });
    question->open();
}

void ExamWindow::showPaper(int index) {
    paper_ = index;
    mnu問題->actions().at(paper_)->setChecked(true);
    SSTab2->clearAllTicks();
    SSTab2->clearFlags();
    SSTab2->hideAllMarks();
    SSTab2->setCurrentIndex(0);
    setScoreText(QString());
    attempts_.clear();
    scoreShown_ = false;
    clockStartedSinceScore_ = false;
    mnu結果->setEnabled(false);
    mnu解き直し->setEnabled(false);
    frm結果.close();
    registerLateContent();
    stb英語->showPaper(paper().documents);
}

// What is chosen for an exam is chosen before it, while スタート is enabled.
void ExamWindow::setBetweenExamsEnabled(bool enabled) {
    mnu問題->setEnabled(enabled);
    mnu試験時間->setEnabled(enabled);
}

void ExamWindow::cmd合格率_Click() {
    const Verdict verdict = lookupVerdict(lbl得点->text());
    switch (verdict.kind) {
    case Verdict::Kind::NoScore:
        show();
        raise();
        activateWindow();
        break;
    case Verdict::Kind::Band:
        frm合格ライン[static_cast<std::size_t>(verdict.band - 1)].show();
        break;
    case Verdict::Kind::NoBand:
        break;
    }
}

QWidget *ExamWindow::verdictWindow(int band) const {
    return frm合格ライン[static_cast<std::size_t>(band - 1)].window();
}

void ExamWindow::mnuAbout_Click() {
    frmヘルプ.show();
}

// The other windows outlive the exam window until they are closed, and so would the exam: once
// the exam window is gone nothing may count down or sound, not even a signal already sounding.
void ExamWindow::closeEvent(QCloseEvent *event) {
    tmr時間->stop();
    MMControl1->command(QStringLiteral("Stop"));
    QMainWindow::closeEvent(event);
}

void ExamWindow::mnuExit_Click() {
    close();
    for (ModelessWindow &window : frm合格ライン)
        window.close();
    frmヘルプ.close();
    frm結果.close();
}
