#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include "app/examwindow.h"
#include "app/papers.h"
#include "documents/aboutwindow.h"
#include "documents/figuredescriptions.h"
#include "documents/paperview.h"
#include "fakewallclock.h"
#include "recordingplayer.h"
#include "review/pacingview.h"
#include "review/resultsmodel.h"
#include "review/resultswindow.h"
#include "sheet/answerkey.h"
#include "sheet/answersheet.h"
#include "toolkit/fonts.h"
#include "toolkit/latecontent.h"

// Drives the exam window as a user would: clicks on its real widgets, found by their names.
class TestExamWindow : public QObject {
    Q_OBJECT

    FakeWallClock wallClock{QDateTime(QDate(2026, 12, 8), QTime(10, 0, 30))};
    RecordingPlayer player;
    std::unique_ptr<ExamWindow> window;

    template <class T> T *child(const QString &name) {
        T *widget = window->findChild<T *>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QPushButton *button(const char *name) { return child<QPushButton>(QString::fromUtf8(name)); }
    QString labelText(const char *name) { return child<QLabel>(QString::fromUtf8(name))->text(); }
    AnswerSheet *sheet() { return window->answerSheet(); }
    // Pages fill when first needed; once filled, their widgets carry the design's names.
    QCheckBox *box(int q, int k) {
        sheet()->box(q, k);
        return child<QCheckBox>(QStringLiteral("chk英語%1(%2)").arg(q).arg(k));
    }
    bool markShown(int q) {
        auto *mark = window->findChild<QLabel *>(QStringLiteral("pctマル(%1)").arg(q));
        if (sheet()->isMarkVisible(q) != (mark && !mark->isHidden()))
            qFatal("mark %d: the sheet and its widget disagree", q);
        return sheet()->isMarkVisible(q);
    }

    void selectTab(MultiRowTabWidget *tabs, int index) {
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        QCOMPARE(tabs->currentIndex(), index);
    }
    // Ticks or unticks a box by clicking it, turning to its tab first.
    void click(int q, int k) {
        selectTab(sheet(), q - 1);
        QCheckBox *b = box(q, k);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }
    void tickKey(const KeyTable &key = designKey) {
        for (const KeyEntry &entry : key)
            for (int k : entry.correct)
                if (k != 0)
                    click(entry.question, k);
    }

    QAction *action(const char *name) {
        return window->findChild<QAction *>(QString::fromUtf8(name));
    }
    // Chooses 解答を消去 and answers its question with the button captioned `answer`.
    void clearAnswering(const QString &answer) {
        action("mnu解答消去")->trigger();
        auto *box = window->findChild<QMessageBox *>(QStringLiteral("msg解答消去"));
        QVERIFY(box && box->isVisible());
        QCOMPARE(box->text(), QStringLiteral("すべての解答を消去しますか？"));
        QCOMPARE(box->defaultButton()->text(), QStringLiteral("いいえ"));
        for (QAbstractButton *b : box->buttons())
            if (b->text() == answer)
                QTest::mouseClick(b, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window->findChild<QMessageBox *>());
    }
    int tickCount() {
        int ticks = 0;
        for (int q = 1; q <= 46; ++q)
            for (int k = 1; k <= sheet()->choiceCount(q); ++k)
                ticks += sheet()->isTicked(q, k);
        return ticks;
    }
    QString resultsText(QWidget *results, const char *label) {
        return results->findChild<QLabel *>(QString::fromUtf8(label))->text();
    }

private slots:
    void initTestCase() { installFontSubstitutions(); }

    void init() {
        player.calls.clear();
        window = std::make_unique<ExamWindow>(&wallClock, &player);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup() {
        window->mnuExit_Click();
        window.reset();
    }

    // The window opens Ready: Start enabled, clock and score blank, nothing ticked or marked,
    // the first tab of both tab controls selected, no other window open.
    void opensReady() {
        QCOMPARE(window->windowTitle(), QStringLiteral("問題 （英語）"));
        QCOMPARE(window->centralWidget()->size(), QSize(792, 554));
        QVERIFY(button("cmdスタート")->isEnabled());
        QCOMPARE(labelText("lbl秒"), QString());
        QCOMPARE(labelText("lbl得点"), QString());
        QVERIFY(!child<QTimer>(QStringLiteral("tmr時間"))->isActive());
        QCOMPARE(sheet()->count(), 46);
        QCOMPARE(sheet()->rowCount(), 4);
        QCOMPARE(sheet()->currentIndex(), 0);
        QCOMPARE(child<PaperView>(QStringLiteral("stb英語"))->currentIndex(), 0);
        int boxes = 0;
        for (int q = 1; q <= 46; ++q) {
            QVERIFY(!markShown(q));
            for (int k = 1; k <= sheet()->choiceCount(q); ++k, ++boxes)
                QVERIFY(!sheet()->isTicked(q, k));
        }
        QCOMPARE(boxes, 207);
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(
            std::count_if(windows.begin(), windows.end(),
                          [](QWidget *w) { return w->isVisible() && !qobject_cast<QMenu *>(w); }),
            1);
    }

    // Tabs wrap into rows of twelve equal tabs that stay put when one is selected.
    void tabsStayInTheirRows() {
        AnswerSheet *tabs = sheet();
        const QRect first = tabs->tabRect(0);
        QCOMPARE(first.topLeft(), QPoint(0, 0));
        QVERIFY(qAbs(first.width() - 653 / 12) <= 1);
        QCOMPARE(tabs->tabRect(12).top(), MultiRowTabWidget::rowHeight);
        QCOMPARE(tabs->tabRect(45).top(), 3 * MultiRowTabWidget::rowHeight);
        QCOMPARE(tabs->tabText(45), QStringLiteral("6B-(49)"));
        selectTab(tabs, 40);
        QCOMPARE(tabs->tabRect(0), first);
        QVERIFY(tabs->page(40)->isVisible());
        QVERIFY(!tabs->page(0)->isVisible());
        // Positions on a page count from the control's corner, tab rows included.
        QCOMPARE(box(41, 1)->parentWidget()->geometry().top() + tabs->tabAreaHeight(), 88);
    }

    // Start runs the clock from 1:20, blanks the score and hides the marks; ticks stay.
    // Score stops the clock, blanks it, enables Start and marks the ticks as they are then.
    void startScoreStart() {
        click(1, 1);
        click(46, 3);
        button("cmdスタート")->click();
        QCOMPARE(labelText("lbl秒"), QStringLiteral("1:20"));
        QVERIFY(!button("cmdスタート")->isEnabled());
        QVERIFY(child<QTimer>(QStringLiteral("tmr時間"))->isActive());
        QVERIFY(sheet()->isTicked(1, 1) && sheet()->isTicked(46, 3));

        QTest::mouseClick(button("cmd得点"), Qt::LeftButton);
        QVERIFY(button("cmdスタート")->isEnabled());
        QCOMPARE(labelText("lbl秒"), QString());
        QVERIFY(!child<QTimer>(QStringLiteral("tmr時間"))->isActive());
        QCOMPARE(labelText("lbl得点"), QStringLiteral("2"));
        QVERIFY(markShown(1));
        QVERIFY(!markShown(46));

        // Marks show the last marking, not the ticks, until the next Score.
        click(1, 1);
        QVERIFY(markShown(1));
        QTest::mouseClick(button("cmd得点"), Qt::LeftButton);
        QVERIFY(!markShown(1));
        QCOMPARE(labelText("lbl得点"), QStringLiteral("0"));

        click(1, 1);
        QTest::mouseClick(button("cmd得点"), Qt::LeftButton);
        QTest::mouseClick(button("cmd得点"), Qt::LeftButton);
        QCOMPARE(labelText("lbl得点"), QStringLiteral("2"));

        const int tabBefore = sheet()->currentIndex();
        QTest::mouseClick(button("cmdスタート"), Qt::LeftButton);
        QCOMPARE(labelText("lbl得点"), QString());
        QCOMPARE(labelText("lbl秒"), QStringLiteral("1:20"));
        QVERIFY(!markShown(1));
        QVERIFY(sheet()->isTicked(1, 1));
        QCOMPARE(sheet()->currentIndex(), tabBefore);
    }

    // The key's answers, ticked by clicking, score 200 with every mark shown.
    void fullKeyByClicking() {
        tickKey();
        QTest::mouseClick(button("cmd得点"), Qt::LeftButton);
        QCOMPARE(labelText("lbl得点"), QStringLiteral("200"));
        for (int q = 1; q <= 46; ++q)
            QVERIFY(markShown(q));
        // Score before any Start leaves the clock stopped and blank.
        QCOMPARE(labelText("lbl秒"), QString());
        QVERIFY(button("cmdスタート")->isEnabled());
    }

    // Pass rate opens nothing without a score, one window per band otherwise; a second press
    // brings the same window back; a closed one is made afresh; bands open side by side; Exit
    // closes them all.
    void passRateWindows() {
        QPushButton *passRate = button("cmd合格率");
        QTest::mouseClick(passRate, Qt::LeftButton);
        for (int band = 1; band <= 6; ++band)
            QVERIFY(!window->verdictWindow(band));

        QTest::mouseClick(button("cmd得点"), Qt::LeftButton); // 0 points
        QTest::mouseClick(passRate, Qt::LeftButton);
        QPointer<QWidget> band6 = window->verdictWindow(6);
        QVERIFY(band6 && band6->isVisible());
        QCOMPARE(band6->objectName(), QStringLiteral("frm合格ライン6"));
        QCOMPARE(band6->windowTitle(), QStringLiteral("合格ライン"));
        QCOMPARE(band6->findChild<QLabel *>(QStringLiteral("Label1"))->text(),
                 QStringLiteral(" 計測不能"));
        QTest::mouseClick(passRate, Qt::LeftButton);
        QCOMPARE(window->verdictWindow(6), band6.data());

        band6->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(band6.isNull());
        QTest::mouseClick(passRate, Qt::LeftButton);
        QVERIFY(window->verdictWindow(6) && window->verdictWindow(6)->isVisible());

        tickKey();
        QTest::mouseClick(button("cmd得点"), Qt::LeftButton);
        QTest::mouseClick(passRate, Qt::LeftButton);
        QVERIFY(window->verdictWindow(1) && window->verdictWindow(1)->isVisible());
        QVERIFY(window->verdictWindow(6) && window->verdictWindow(6)->isVisible());

        // After Start the score is blank again and Pass rate opens nothing new.
        window->verdictWindow(1)->close();
        QTest::mouseClick(button("cmdスタート"), Qt::LeftButton);
        QTest::mouseClick(passRate, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!window->verdictWindow(1));

        QPointer<QWidget> stillOpen = window->verdictWindow(6);
        window->mnuExit_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(stillOpen.isNull());
        QVERIFY(!window->isVisible());
    }

    // One About window at a time, made afresh after it was closed (Escape closes it), closed by
    // Exit.
    void aboutWindow() {
        window->mnuAbout_Click();
        QPointer<QWidget> about = window->aboutWindow();
        QVERIFY(about && about->isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("バージョン情報"));
        window->mnuAbout_Click();
        QCOMPARE(window->aboutWindow(), about.data());
        QVERIFY(QTest::qWaitForWindowActive(about));
        QTest::keyClick(about, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
        window->mnuAbout_Click();
        about = window->aboutWindow();
        QVERIFY(about && about->isVisible());
        window->mnuExit_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(about.isNull());
    }

    // Closing the exam window ends the exam, though other windows stay open: nothing counts
    // down unseen, no signal sounds later with no exam on screen, and one already sounding
    // is silenced.
    void closingEndsTheExam() {
        button("cmdスタート")->click();
        window->mnuAbout_Click();
        window->close();
        QVERIFY(!child<QTimer>(QStringLiteral("tmr時間"))->isActive());
        QVERIFY(window->aboutWindow() && window->aboutWindow()->isVisible());
        wallClock.advanceMs(81 * 60 * 1000);
        QTest::qWait(1100);
        QVERIFY(!player.calls.contains(QStringLiteral("Play")));

        window->show();
        button("cmd得点")->click();
        button("cmdスタート")->click();
        for (int minute = 1; minute <= 80; ++minute) {
            wallClock.set(QDateTime(QDate(2026, 12, 8), QTime(12, 0)).addSecs(60 * minute));
            window->tmr時間_Timer();
        }
        QCOMPARE(labelText("lbl秒"), QStringLiteral("0:00"));
        QCOMPARE(player.calls.last(), QStringLiteral("Play"));
        window->close();
        QCOMPARE(player.calls.last(), QStringLiteral("Stop"));
        QVERIFY(window->aboutWindow()->isVisible());
    }

    // The About window's list of files gives each file's real size and date from the program's
    // folder, in the document's columns, and says when a file is missing.
    void aboutWindowListsTheRealFiles() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        auto writeFile = [&](const QString &name, qsizetype size) {
            QFile file(folder.filePath(name));
            return file.open(QIODevice::WriteOnly) && file.write(QByteArray(size, 'x')) == size;
        };
        QVERIFY(writeFile(QStringLiteral("eigo-exam"), 1234567));
        QVERIFY(writeFile(QStringLiteral("Zikan.wav"), 98765));
        auto fileLines = [&] {
            AboutWindow about(folder.path() + QLatin1Char('/'));
            QStringList lines;
            const QTextDocument *document = about.findChild<QTextEdit *>()->document();
            for (QTextBlock b = document->begin(); b.isValid(); b = b.next())
                if (b.text().startsWith(QStringLiteral("　eigo-exam")) ||
                    b.text().startsWith(QStringLiteral("　Zikan.wav")))
                    lines << b.text();
            // The package installs no README, so the list names none.
            if (document->toPlainText().contains(QStringLiteral("README")))
                lines << QStringLiteral("README");
            return lines;
        };
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"));
        // Columns as a monospaced font sets them: a full-width character is two wide.
        auto column = [](const QString &line, const QString &part) {
            const qsizetype at = line.indexOf(part);
            return at < 0 ? -1
                          : int(at + line.left(at).count(QRegularExpression("[^\\x00-\\x7f]")));
        };
        QStringList lines = fileLines();
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].contains(QStringLiteral("1,234,567 バイト　") + today +
                                  QStringLiteral("　プログラム本体")));
        QVERIFY(lines[1].contains(QStringLiteral("98,765 バイト　") + today +
                                  QStringLiteral("　時報の音")));
        QCOMPARE(column(lines[0], QStringLiteral(" バイト")),
                 column(lines[1], QStringLiteral(" バイト")));

        QVERIFY(QFile::remove(folder.filePath(QStringLiteral("Zikan.wav"))));
        lines = fileLines();
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[1].contains(QStringLiteral("（ありません）")));
        QVERIFY(!lines[1].contains(QStringLiteral("バイト")));
        QCOMPARE(column(lines[0], QStringLiteral("プログラム本体")),
                 column(lines[1], QStringLiteral("時報の音")));
    }

    // The caption "答え" is set into the frame's top line, so the frame starts where it is
    // placed rather than a caption's height lower.
    void frameCaptionSitsOnTheLine() {
        auto *frame = qobject_cast<QGroupBox *>(box(1, 1)->parentWidget());
        QVERIFY(frame);
        const QImage image = frame->grab().toImage();
        auto firstMarkedRow = [&](int left, int right) {
            for (int y = 0; y < image.height(); ++y)
                for (int x = left; x < right; ++x)
                    if (image.pixel(x, y) != image.pixel(x, 0))
                        return y;
            return -1;
        };
        const int captionHeight = frame->fontMetrics().height();
        // Right of the caption only the line is drawn, through the caption's middle.
        const int line = firstMarkedRow(image.width() / 2, image.width() / 2 + 1);
        QVERIFY2(line >= captionHeight / 2 - 2 && line <= captionHeight / 2 + 1,
                 qPrintable(QString::number(line)));
        QVERIFY(firstMarkedRow(0, 40) < line);
    }

    // The paper comes after the window is mapped but before its first frame, at the width it
    // keeps: the first frame shows it, and taking it in does not narrow the view.
    void paperInFirstFrame() {
        ExamWindow fresh(&wallClock, &player);
        auto *text = fresh.findChild<PaperView *>()->findChild<QTextEdit *>();
        struct FirstPaint : QObject {
            bool painted = false, paperShown = false, barShown = false;
            int shownWidth = 0, width = 0;
            bool eventFilter(QObject *watched, QEvent *event) override {
                auto *view = static_cast<QTextEdit *>(watched->parent());
                if (event->type() == QEvent::Show)
                    shownWidth = view->viewport()->width();
                if (event->type() == QEvent::Paint && !painted) {
                    painted = true;
                    paperShown = !view->document()->isEmpty();
                    barShown = view->verticalScrollBar()->isVisible();
                    width = view->viewport()->width();
                }
                return false;
            }
        } first;
        text->viewport()->installEventFilter(&first);
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        QTRY_VERIFY(first.painted);
        QVERIFY(first.paperShown);
        QVERIFY(first.barShown);
        QCOMPARE(first.width, first.shownWidth);
        // Laid out to its end, the paper still needs the bar, and the view is as wide as it was.
        QTextDocument *paper = text->document();
        paper->documentLayout()->blockBoundingRect(paper->lastBlock());
        QCoreApplication::processEvents();
        QVERIFY(text->verticalScrollBar()->isVisible());
        QCOMPARE(text->viewport()->width(), first.width);
        fresh.mnuExit_Click();
    }

    // The first frame reads and lays out only the paper's first paragraphs; the whole paper
    // takes their place once they are painted, and every built-in paper then looks the same as
    // its first frame did, scroll bar included.
    void firstScreenLooksLikeTheWholePaper() {
        registerLateContent();
        for (const BuiltInPaper &builtIn : builtInPapers()) {
            PaperView view(builtIn.documents);
            auto *text = view.findChild<QTextEdit *>();
            const QImage first = text->grab().toImage();
            QCOMPARE(text->document()->blockCount(), PaperView::firstScreenParagraphs + 1);
            QTRY_VERIFY(text->document()->blockCount() > PaperView::firstScreenParagraphs + 1);
            QVERIFY(text->toPlainText().contains(QStringLiteral("第６問")));
            QCOMPARE(text->grab().toImage(), first);
        }
    }

    // Start, Score and Pass rate leave the paper's tab and scroll position alone.
    void paperViewUntouchedByExamFlow() {
        auto *paper = child<PaperView>(QStringLiteral("stb英語"));
        QTextEdit *document = paper->document();
        QVERIFY(!document->toPlainText().isEmpty());
        QCOMPARE(document->verticalScrollBar()->value(), 0);
        document->verticalScrollBar()->setValue(document->verticalScrollBar()->maximum());
        const int scrolled = document->verticalScrollBar()->value();
        QVERIFY(scrolled > 0);
        selectTab(paper, 2);
        button("cmdスタート")->click();
        button("cmd得点")->click();
        button("cmd合格率")->click();
        QCOMPARE(paper->currentIndex(), 2);
        QCOMPARE(document->verticalScrollBar()->value(), scrolled);
    }

    // What a screen reader speaks: which item and choice a box is, the time left, the score,
    // and that a shown mark means a correct item.
    void accessibleNames() {
        auto spoken = [](QWidget *w) {
            return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
        };
        QCOMPARE(spoken(box(1, 1)), QStringLiteral("1A-問1 ①"));
        QCOMPARE(spoken(box(46, 10)), QStringLiteral("6B-(49) ⑩"));
        click(1, 1);
        button("cmdスタート")->click();
        QCOMPARE(spoken(child<QLabel>(QStringLiteral("lbl秒"))), QStringLiteral("残り時間 1:20"));
        button("cmd得点")->click();
        QCOMPARE(spoken(child<QLabel>(QStringLiteral("lbl得点"))), QStringLiteral("得点 2点"));
        QCOMPARE(spoken(child<QLabel>(QStringLiteral("pctマル(1)"))),
                 QStringLiteral("1A-問1 正解"));
        QCOMPARE(spoken(sheet()), QStringLiteral("解答用紙"));
    }

    // The keyboard turns the sheet's pages: arrows on the tabs, Ctrl+Tab from a box on a page,
    // which leaves the focus on the tabs rather than on a hidden box.
    void keyboardTurnsPages() {
        sheet()->setFocus();
        QTest::keyClick(sheet(), Qt::Key_Right);
        QCOMPARE(sheet()->currentIndex(), 1);
        QTest::keyClick(sheet(), Qt::Key_Down);
        QCOMPARE(sheet()->currentIndex(), 13);
        QTest::keyClick(sheet(), Qt::Key_Left);
        QCOMPARE(sheet()->currentIndex(), 12);
        box(13, 2)->setFocus();
        QTest::keyClick(box(13, 2), Qt::Key_Space);
        QVERIFY(sheet()->isTicked(13, 2));
        QTest::keyClick(box(13, 2), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(sheet()->currentIndex(), 13);
        QCOMPARE(QApplication::focusWidget(), sheet());
        QTest::keyClick(sheet(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(sheet()->currentIndex(), 12);
        QCOMPARE(QAccessible::queryAccessibleInterface(sheet())->text(QAccessible::Description),
                 QStringLiteral("2A-問5 (13/46)"));
    }

    // 結果 is enabled exactly while a score is shown. Its window shows the ticks of the last
    // Score, not the live boxes, with the time from Start to that Score; Score refreshes it in
    // place, Start closes it, and Escape and Exit close it too.
    void resultsWindow() {
        QAction *results = action("mnu結果");
        QVERIFY(!results->isEnabled());
        button("cmdスタート")->click();
        wallClock.advanceMs(5 * 60 * 1000);
        window->tmr時間_Timer();
        QVERIFY(!results->isEnabled());
        click(1, 1); // right
        click(9, 1); // wrong
        QTest::mouseClick(button("cmd得点"), Qt::LeftButton);
        QVERIFY(results->isEnabled());
        click(1, 1); // unticked after Score: the results still show it
        click(2, 3);
        results->trigger();
        QPointer<QWidget> frm = window->resultsWindow();
        QVERIFY(frm && frm->isVisible());
        QCOMPARE(frm->objectName(), QStringLiteral("frm結果"));
        QCOMPARE(frm->windowTitle(), QStringLiteral("結果"));
        QCOMPARE(resultsText(frm, "lbl合計"), QStringLiteral("第１回　合計 2 / 200点"));
        QCOMPARE(resultsText(frm, "lbl内訳"),
                 QStringLiteral("正解 1　不正解 1　無解答 44　時間 0:05"));
        auto *list = frm->findChild<QTreeView *>(QStringLiteral("lst結果"));
        QAbstractItemModel *model = list->model();
        const QModelIndex section1 = model->index(0, 0), section2 = model->index(1, 0);
        QCOMPARE(model->index(0, 0, section1).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("1A-問1 ① 正解 2/2点"));
        QCOMPARE(model->index(1, 0, section1).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("1A-問2 － 無解答 0/2点"));
        QCOMPARE(model->index(0, ResultsModel::PointsColumn).data().toString(),
                 QStringLiteral("2/20"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(frm->findChild<QWidget *>("chart"))
                ->text(QAccessible::Description),
            QStringLiteral("第１問 10%、第２問 0%、第３問 0%、第４問 0%、第５問 0%、第６問 0%"));

        // The key's column comes with the check box, which is off on every opening; the window
        // is wide enough for it without a horizontal scroll bar.
        auto *showKey = frm->findChild<QCheckBox *>(QStringLiteral("chk正解"));
        QCOMPARE(showKey->text(), QStringLiteral("正解を表示"));
        QVERIFY(!showKey->isChecked());
        QVERIFY(list->isColumnHidden(ResultsModel::KeyColumn));
        QTest::mouseClick(showKey, Qt::LeftButton, {}, QPoint(6, showKey->height() / 2));
        QVERIFY(!list->isColumnHidden(ResultsModel::KeyColumn));
        QCOMPARE(model->index(0, ResultsModel::KeyColumn, section2).data().toString(),
                 QStringLiteral("②"));
        int columns = 0;
        for (int c = 0; c < ResultsModel::ColumnCount; ++c)
            columns += list->header()->sectionSizeHint(c) <= list->columnWidth(c) ? 0 : 1;
        QCOMPARE(columns, 0);
        QVERIFY(list->header()->length() <= list->viewport()->width());

        // Enter on an item's row turns the answer sheet to its tab.
        list->setFocus();
        list->setCurrentIndex(model->index(3, 0, section2)); // 2A-問4, question 12
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(sheet()->currentIndex(), 11);

        // The answer book follows the current row while the key is shown, and says nothing of
        // any answer while it is hidden; a section's row shows its passages' translations.
        auto *pane = frm->findChild<QTextBrowser *>(QStringLiteral("txt解説"));
        QCOMPARE(pane->accessibleName(), QStringLiteral("解説"));
        QVERIFY(pane->toPlainText().contains(QStringLiteral("正解　③")));
        QTest::keyClick(list, Qt::Key_Down); // 2A-問5, keyed ②
        QVERIFY(pane->toPlainText().contains(QStringLiteral("正解　②")));
        list->setCurrentIndex(section2);
        QVERIFY(pane->toPlainText().contains(QStringLiteral("2B　全訳")));
        list->setCurrentIndex(model->index(3, 0, section2));
        QTest::mouseClick(showKey, Qt::LeftButton, {}, QPoint(6, showKey->height() / 2));
        const QRegularExpression anyChoice(QStringLiteral("[①-⑩]"));
        QVERIFY(!pane->toPlainText().contains(anyChoice));
        QTest::keyClick(list, Qt::Key_Down);
        QVERIFY(!pane->toPlainText().contains(anyChoice));
        QTest::mouseClick(showKey, Qt::LeftButton, {}, QPoint(6, showKey->height() / 2));
        QVERIFY(pane->toPlainText().contains(QStringLiteral("正解　②")));
        QVERIFY(frm->width() <= 1280 && frm->height() <= 1024 - 64);

        // Score while it is open refreshes the same window with the ticks as they are now; a
        // Score that no Start preceded shows no time.
        QTest::mouseClick(button("cmd得点"), Qt::LeftButton);
        QCOMPARE(window->resultsWindow(), frm.data());
        QCOMPARE(resultsText(frm, "lbl合計"), QStringLiteral("第１回　合計 2 / 200点"));
        QCOMPARE(resultsText(frm, "lbl内訳"), QStringLiteral("正解 1　不正解 1　無解答 44"));
        QCOMPARE(model->index(0, 0, section1).data(Qt::AccessibleTextRole).toString(),
                 QStringLiteral("1A-問1 － 無解答 0/2点 前回は正解 正解 ①"));

        QVERIFY(window->isActiveWindow());
        frm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frm));
        const qreal designed = pane->font().pointSizeF();
        QTest::keyClick(list, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(pane->font().pointSizeF(), designed * 1.25);
        QTest::keyClick(list, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(pane->font().pointSizeF(), designed);
        QTest::keyClick(frm, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(frm.isNull());
        results->trigger();
        frm = window->resultsWindow();
        QVERIFY(!frm->findChild<QCheckBox *>(QStringLiteral("chk正解"))->isChecked());

        // Start closes it and disables the item until the next Score.
        button("cmdスタート")->click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(frm.isNull());
        QVERIFY(!results->isEnabled());

        // Time run out reads as the whole 80 minutes; Exit closes the window.
        wallClock.advanceMs(81 * 60 * 1000);
        window->tmr時間_Timer();
        QCOMPARE(labelText("lbl秒"), QStringLiteral("0:00"));
        button("cmd得点")->click();
        results->trigger();
        frm = window->resultsWindow();
        QVERIFY(resultsText(frm, "lbl内訳").endsWith(QStringLiteral("時間 1:20")));
        window->mnuExit_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(frm.isNull());
    }

    // 解答を消去 unticks every box on every tab after はい and nothing after いいえ; the score,
    // the marks and the running clock stay as they were.
    void clearAnswers() {
        tickKey();
        const int keyTicks = tickCount();
        QCOMPARE(keyTicks, 46 + 3 + 2);
        button("cmd得点")->click();
        clearAnswering(QStringLiteral("いいえ"));
        QCOMPARE(tickCount(), keyTicks);

        clearAnswering(QStringLiteral("はい"));
        QCOMPARE(tickCount(), 0);
        QCOMPARE(labelText("lbl得点"), QStringLiteral("200"));
        for (int q = 1; q <= 46; ++q)
            QVERIFY(markShown(q));

        click(5, 2);
        button("cmdスタート")->click();
        clearAnswering(QStringLiteral("はい"));
        QCOMPARE(tickCount(), 0);
        QVERIFY(child<QTimer>(QStringLiteral("tmr時間"))->isActive());
        QCOMPARE(labelText("lbl秒"), QStringLiteral("1:20"));
    }

    // 見直し marks come and go by Ctrl+M wherever the focus is and by a tab's context menu, show
    // as a marker inside the tab and as its description, and leave no trace once taken away.
    // 解き直し unticks what the last Score found wrong; each Score is an attempt the results
    // window lists, with the items that changed and the marked ones. 解答を消去 clears the marks;
    // Start clears neither them nor the attempts.
    void marksRetryAndAttempts() {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        auto *tabs = QAccessible::queryAccessibleInterface(sheet());
        selectTab(sheet(), 4);
        button("cmdスタート")->setFocus();
        const QImage unmarked = sheet()->grab().toImage();
        QTest::keyClick(button("cmdスタート"), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(sheet()->isFlagged(5));
        QCOMPARE(tabs->child(4)->text(QAccessible::Description), QStringLiteral("見直し"));
        QCOMPARE(tabs->child(4)->text(QAccessible::Name), sheet()->groupLabel(5));
        const QImage marked = sheet()->grab().toImage();
        const QRect tab = sheet()->tabRect(4);
        int markerPixels = 0, outside = 0;
        for (int y = 0; y < marked.height(); ++y)
            for (int x = 0; x < marked.width(); ++x) {
                const bool differs = marked.pixel(x, y) != unmarked.pixel(x, y);
                outside += differs && !tab.contains(x, y);
                markerPixels += QColor(marked.pixel(x, y)) == MultiRowTabWidget::noteColour;
            }
        QVERIFY2(markerPixels >= 10, qPrintable(QString::number(markerPixels)));
        QCOMPARE(outside, 0);
        QTest::keyClick(child<PaperView>(QStringLiteral("stb英語"))->document(), Qt::Key_M,
                        Qt::ControlModifier);
        QVERIFY(!sheet()->isFlagged(5));
        QCOMPARE(tabs->child(4)->text(QAccessible::Description), QString());
        QCOMPARE(sheet()->grab().toImage(), unmarked);

        // The context menu of a tab that is not the current one marks that tab's item.
        auto flagFromMenu = [&](int q) {
            QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, sheet()->tabRect(q - 1).center(),
                                        sheet()->mapToGlobal(sheet()->tabRect(q - 1).center()));
            QCoreApplication::sendEvent(sheet(), &menuEvent);
            auto *menu = window->findChild<QMenu *>(QStringLiteral("mnu見直し"));
            QVERIFY(menu && menu->isVisible());
            QAction *item = menu->actions().value(0);
            QCOMPARE(item->text(), QStringLiteral("見直し\tCtrl+M"));
            QVERIFY(item->isCheckable() && !item->isChecked());
            item->trigger();
            menu->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        flagFromMenu(5);
        flagFromMenu(20);
        QCOMPARE(sheet()->currentIndex(), 4);
        QVERIFY(sheet()->isFlagged(5) && sheet()->isFlagged(20));

        // A mixed sheet: the key on 1 to 4, a wrong box on 5 and 9, the rest unanswered.
        for (int q = 1; q <= 4; ++q)
            click(q, AnswerKey().entry(q).correct[0]);
        auto wrongBox = [](int q) { return AnswerKey().entry(q).correct[0] == 1 ? 2 : 1; };
        click(5, wrongBox(5));
        click(9, wrongBox(9));
        button("cmd得点")->click();
        QAction *retry = action("mnu解き直し");
        QVERIFY(retry->isEnabled());
        retry->trigger();
        QCOMPARE(tickCount(), 4);
        for (int q = 1; q <= 4; ++q)
            QVERIFY(sheet()->isTicked(q, AnswerKey().entry(q).correct[0]));
        QCOMPARE(sheet()->currentIndex(), 4);
        QVERIFY(!child<QTimer>(QStringLiteral("tmr時間"))->isActive());
        QCOMPARE(labelText("lbl秒"), QString());

        // Two of the wrong items put right: a second attempt, with both as ×→○.
        click(5, AnswerKey().entry(5).correct[0]);
        click(9, AnswerKey().entry(9).correct[0]);
        wallClock.advanceMs(3 * 60 * 1000);
        button("cmd得点")->click();
        action("mnu結果")->trigger();
        QWidget *frm = window->resultsWindow();
        auto *attempts = frm->findChild<QTreeView *>(QStringLiteral("lst解答履歴"));
        QCOMPARE(attempts->model()->rowCount(), 2);
        QCOMPARE(attempts->currentIndex().row(), 1);
        auto *model = frm->findChild<QTreeView *>(QStringLiteral("lst結果"))->model();
        auto change = [&](int section, int row) {
            return model->index(row, ResultsModel::ChangeColumn, model->index(section - 1, 0))
                .data()
                .toString();
        };
        QCOMPARE(change(1, 4), QStringLiteral("×→○"));
        QCOMPARE(change(2, 0), QStringLiteral("×→○"));
        QCOMPARE(change(1, 0), QString());
        QCOMPARE(resultsText(frm, "lbl見直し"),
                 QStringLiteral("見直し 2問：正解 1（%1）　不正解 1（%2）")
                     .arg(sheet()->groupLabel(5), sheet()->groupLabel(20)));

        // Start keeps the marks and the attempts; the third Score adds a row to the open list.
        button("cmdスタート")->click();
        QVERIFY(sheet()->isFlagged(5) && sheet()->isFlagged(20));
        QVERIFY(!retry->isEnabled());
        button("cmd得点")->click();
        action("mnu結果")->trigger();
        frm = window->resultsWindow();
        QCOMPARE(frm->findChild<QTreeView *>(QStringLiteral("lst解答履歴"))->model()->rowCount(),
                 3);

        clearAnswering(QStringLiteral("はい"));
        QCOMPARE(sheet()->flags().count(), std::size_t(0));
        QCOMPARE(tabs->child(19)->text(QAccessible::Description), QString());
        tickKey();
        button("cmd得点")->click();
        QVERIFY(!retry->isEnabled()); // nothing left to retry
    }

    // The paper zooms in steps of 25 % from 100 % to 300 %, by keys anywhere in the window and
    // by Ctrl + wheel over it; the passage at the top stays there; the zoom holds across the
    // tabs and through Start and Score; at 100 % the view shows the document as read.
    void paperZoom() {
        auto *paper = child<PaperView>(QStringLiteral("stb英語"));
        QTextEdit *text = paper->document();
        QTextDocument *designed = text->document();
        auto sizeAt = [&](int position) {
            QTextCursor cursor(text->document());
            cursor.setPosition(position);
            return cursor.charFormat().fontPointSize();
        };
        const int sample = designed->findBlockByNumber(6).position() + 1;
        const qreal designedSize = sizeAt(sample);
        QVERIFY(designedSize > 0);

        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum() / 2);
        const QTextBlock topBlock = text->cursorForPosition(QPoint(0, 0)).block();
        const QString topText = topBlock.text();
        QVERIFY(!topText.isEmpty());
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(button("cmdスタート"), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(paper->zoom(), 175);
        QCOMPARE(sizeAt(sample), designedSize * 1.75);
        QVERIFY(text->document() != designed);
        QCOMPARE(text->cursorForPosition(QPoint(0, 0)).block().text(), topText);

        QTest::keyClick(text, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(paper->zoom(), 200);
        QTest::keyClick(sheet(), Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(paper->zoom(), 175);
        // A mouse's notch is one step; a touchpad's half notches take one between them.
        auto ctrlWheel = [&](int angle) {
            QWheelEvent wheel(QPointF(50, 50), text->viewport()->mapToGlobal(QPointF(50, 50)),
                              QPoint(), QPoint(0, angle), Qt::NoButton, Qt::ControlModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(text->viewport(), &wheel);
        };
        ctrlWheel(120);
        QCOMPARE(paper->zoom(), 200);
        ctrlWheel(60);
        QCOMPARE(paper->zoom(), 200);
        ctrlWheel(60);
        QCOMPARE(paper->zoom(), 225);
        ctrlWheel(-120);
        QCOMPARE(paper->zoom(), 200);

        selectTab(paper, 3);
        button("cmdスタート")->click();
        button("cmd得点")->click();
        QCOMPARE(paper->zoom(), 200);
        QCOMPARE(sizeAt(sample), designedSize * 2);
        for (int i = 0; i < 10; ++i)
            paper->zoomIn();
        QCOMPARE(paper->zoom(), 300);

        QTest::keyClick(button("cmdスタート"), Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(paper->zoom(), 100);
        QCOMPARE(text->document(), designed);
        QCOMPARE(sizeAt(sample), designedSize);
        paper->zoomOut();
        QCOMPARE(paper->zoom(), 100);
    }

    // 問題 lists the built-in papers, the designed one chosen. Another is chosen between exams
    // only; with nothing on the sheet it comes at once, otherwise after はい, and it brings its
    // text (on its first tab, at the top), its figures and their descriptions, its key and its
    // name in the results; いいえ keeps everything as it was.
    void choosingAPaper() {
        const auto papers = builtInPapers();
        const QList<QAction *> choices = window->menuBar()->actions()[1]->menu()->actions();
        QCOMPARE(choices.size(), int(papers.size()));
        for (int i = 0; i < choices.size(); ++i) {
            QCOMPARE(choices[i]->text(), QString::fromUtf8(papers[std::size_t(i)].title));
            QCOMPARE(choices[i]->isChecked(), i == 0);
        }
        if (papers.size() < 2)
            QSKIP("one built-in paper");

        auto *paper = child<PaperView>(QStringLiteral("stb英語"));
        QTextEdit *text = paper->document();
        const QString designed = text->toPlainText();
        text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum() / 2);
        selectTab(paper, 2);
        choices[1]->trigger();
        QCOMPARE(window->paperIndex(), 1);
        QVERIFY(choices[1]->isChecked() && !choices[0]->isChecked());
        QCOMPARE(paper->currentIndex(), 0);
        QCOMPARE(text->verticalScrollBar()->value(), 0);
        const QString second = text->toPlainText();
        QVERIFY(second != designed && second.contains(QStringLiteral("第６問")));
        const auto &described =
            figureDescriptions(QString::fromLatin1(papers[1].documents.descriptions));
        QCOMPARE(child<QWidget>(QStringLiteral("Picture3"))->accessibleDescription(),
                 described.at(QStringLiteral("図２")));

        tickKey(*papers[1].key);
        button("cmd得点")->click();
        QCOMPARE(labelText("lbl得点"), QStringLiteral("200"));
        action("mnu結果")->trigger();
        QVERIFY(resultsText(window->resultsWindow(), "lbl合計")
                    .startsWith(QString::fromUtf8(papers[1].title)));

        button("cmdスタート")->click();
        QVERIFY(!choices[0]->isEnabled());
        choices[0]->trigger();
        QCOMPARE(window->paperIndex(), 1);
        button("cmd得点")->click();
        QVERIFY(choices[0]->isEnabled());

        auto answer = [&](const QString &caption) {
            choices[0]->trigger();
            auto *box = window->findChild<QMessageBox *>(QStringLiteral("msg問題"));
            QVERIFY(box && box->isVisible());
            QCOMPARE(box->text(),
                     QStringLiteral("解答と得点を消去して、第１回の問題に替えますか？"));
            QCOMPARE(box->defaultButton()->text(), QStringLiteral("いいえ"));
            for (QAbstractButton *b : box->buttons())
                if (b->text() == caption)
                    QTest::mouseClick(b, Qt::LeftButton);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        };
        answer(QStringLiteral("いいえ"));
        QCOMPARE(window->paperIndex(), 1);
        QVERIFY(choices[1]->isChecked());
        QCOMPARE(tickCount(), 46 + 3 + 2);
        sheet()->setFlagged(3, true);
        answer(QStringLiteral("はい"));
        QCOMPARE(window->paperIndex(), 0);
        QVERIFY(choices[0]->isChecked());
        QCOMPARE(tickCount(), 0);
        QVERIFY(!sheet()->isFlagged(3));
        QCOMPARE(labelText("lbl得点"), QString());
        QVERIFY(!action("mnu結果")->isEnabled() && !action("mnu解き直し")->isEnabled());
        QCOMPARE(text->toPlainText(), designed);
        QVERIFY(!markShown(1));
    }

    // 試験時間 chooses what Start counts down from, only between exams; a screen reader is told
    // the time at 10 minutes left without the focus moving; a Score after Start shows how the
    // exam was paced, section by section, with a 第６問 read for a known time.
    void extraTimeWarningsAndPacing() {
        QAction *length104 = action("mnu試験時間104");
        QAction *length120 = action("mnu試験時間120");
        length104->trigger();
        button("cmdスタート")->click();
        QCOMPARE(labelText("lbl秒"), QStringLiteral("1:44"));
        QVERIFY(!length120->isEnabled());
        button("cmd得点")->click();
        QVERIFY(length120->isEnabled());
        length120->trigger();
        QVERIFY(length120->isChecked() && !length104->isChecked());

        auto *paper = child<PaperView>(QStringLiteral("stb英語"));
        QTextEdit *text = paper->document();
        auto blockOf = [&](const QString &heading) {
            for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next())
                if (b.text().startsWith(heading))
                    return b;
            return QTextBlock();
        };
        auto scrollTo = [&](const QString &heading) {
            QTextCursor cursor(blockOf(heading));
            text->verticalScrollBar()->setValue(
                int(text->document()->documentLayout()->blockBoundingRect(cursor.block()).top()));
        };
        auto minutes = [&](int n) {
            for (int i = 0; i < n * 60; i += 10) {
                wallClock.advanceMs(10000);
                window->tmr時間_Timer();
            }
        };
        button("cmdスタート")->click();
        QCOMPARE(labelText("lbl秒"), QStringLiteral("2:00"));
        minutes(3); // on the paper's first page: 第１問
        click(1, 1);
        scrollTo(QStringLiteral("第６問"));
        minutes(7);
        selectTab(paper, 3); // 図３ belongs to 第５問
        minutes(2);
        selectTab(paper, 0);
        const QWidget *focus = QApplication::focusWidget();
        minutes(120 - 12 - 10 + 1);
        auto *announcer = window->findChild<QWidget *>(QStringLiteral("announcer"));
        QVERIFY(announcer && announcer->isVisible());
        QCOMPARE(announcer->accessibleName(), QStringLiteral("残り10分です"));
        QCOMPARE(QAccessible::queryAccessibleInterface(announcer)->role(),
                 QAccessible::Notification);
        QCOMPARE(QApplication::focusWidget(), focus);
        minutes(10);
        QCOMPARE(labelText("lbl秒"), QStringLiteral("0:00"));
        QCOMPARE(announcer->accessibleName(), QStringLiteral("試験時間が終了しました"));
        minutes(5); // after 0:00 nothing more is counted
        button("cmd得点")->click();
        action("mnu結果")->trigger();
        PacingView *pacing = static_cast<ResultsWindow *>(window->resultsWindow())->pacing();
        QVERIFY(pacing && pacing->isVisible());
        const QString bars = pacing->bars()->accessibleDescription();
        QVERIFY2(bars.startsWith(QStringLiteral("第１問 3分（計画 12分）")), qPrintable(bars));
        QVERIFY2(bars.contains(QStringLiteral("第５問 2分（計画 18分）")), qPrintable(bars));
        QVERIFY2(bars.contains(QStringLiteral("第６問 115分（計画 24分）")), qPrintable(bars));
        QVERIFY(pacing->timeline()->accessibleDescription().startsWith(
            QStringLiteral("解答した時刻：1A-問1 3分、無解答 45問、120分で終了")));
        QVERIFY(
            resultsText(window->resultsWindow(), "lbl内訳").endsWith(QStringLiteral("時間 2:00")));

        // A Score with no Start before it has no pacing to show.
        button("cmd得点")->click();
        QVERIFY(!pacing->isVisible());
    }

    // The menus carry their access keys and the items their names.
    void menus() {
        const QList<QAction *> menus = window->menuBar()->actions();
        QCOMPARE(menus.size(), 3);
        QCOMPARE(menus[0]->text(), QStringLiteral("ゲーム(&G)"));
        QCOMPARE(menus[1]->text(), QStringLiteral("問題(&P)"));
        QCOMPARE(menus[2]->text(), QStringLiteral("ヘルプ(&H)"));
        QCOMPARE(window->findChild<QAction *>(QStringLiteral("mnuExit"))->text(),
                 QStringLiteral("終了(&Q)"));
        QCOMPARE(window->findChild<QAction *>(QStringLiteral("mnuAbout"))->text(),
                 QStringLiteral("バージョン情報(&A)"));
        // What the program adds stands above 終了, set off by a separator.
        const QList<QAction *> game = menus[0]->menu()->actions();
        QCOMPARE(game.size(), 6);
        QCOMPARE(game[0]->text(), QStringLiteral("解答を消去(&C)"));
        QCOMPARE(game[1]->text(), QStringLiteral("結果(&R)..."));
        QCOMPARE(game[2]->text(), QStringLiteral("間違えた問題を解き直す(&W)"));
        QCOMPARE(game[3]->text(), QStringLiteral("試験時間(&T)"));
        QStringList lengths;
        for (QAction *length : game[3]->menu()->actions())
            lengths << length->text() + (length->isChecked() ? QStringLiteral("*") : QString());
        QCOMPARE(lengths, (QStringList{QStringLiteral("80分*"), QStringLiteral("104分（1.3倍）"),
                                       QStringLiteral("120分（1.5倍）")}));
        QVERIFY(game[4]->isSeparator());
        QCOMPARE(game[5]->objectName(), QStringLiteral("mnuExit"));
    }
};

QTEST_MAIN(TestExamWindow)
#include "tst_examwindow.moc"
