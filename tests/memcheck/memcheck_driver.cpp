// Runs the program through start-up, a scored exam, many openings and closings of each
// secondary window, and Exit, printing what the process holds after the first cycle and after
// the last. `make memcheck` runs it natively and under valgrind; see tests/memcheck/run.sh.
// usage: memcheck_driver [cycles] [--no-growth-check]     (200 cycles when not given)
// Under valgrind the figures are valgrind's own, which holds freed blocks back for a while, so
// run.sh judges growth only in the native run.
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <cstdio>
#include <malloc.h>

#include "app/examwindow.h"
#include "tests/memcheck/processmemory.h"
#include "tests/memcheck/windowcycler.h"
#include "toolkit/fonts.h"

namespace {

// Growth allowed between the first and the last cycle. One window kept alive per cycle would
// cost far more than this by the last cycle; allocator and font-cache churn costs less.
constexpr long kPeakSlackKb = 1024;
constexpr std::size_t kHeapSlack = 256 * 1024;

int failures = 0;
QtMessageHandler defaultHandler = nullptr;

// The offscreen platform says once per window that it cannot raise it; 1,400 of those would
// bury the figures.
void dropPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (!message.startsWith(QLatin1String("This plugin does not support")))
        defaultHandler(type, context, message);
}

void fail(const QString &what) {
    std::fprintf(stderr, "FAIL: %s\n", qPrintable(what));
    ++failures;
}

void runExam(ExamWindow &exam, int cycles, bool checkGrowth) {
    WindowCycler cycler(exam);

    // Let the clock run for a few ticks before Score, so that the signal is opened too.
    exam.cmdスタート_Click();
    QEventLoop ticks;
    QTimer::singleShot(2500, &ticks, &QEventLoop::quit);
    ticks.exec();
    if (const int score = cycler.scoreInBand(1); score != 200)
        fail(QStringLiteral("the full key scored %1").arg(score));

    ProcessMemory first;
    int widgetsAfterFirst = 0;
    for (int i = 1; i <= cycles; ++i) {
        if (const QString error = cycler.cycle(); !error.isEmpty()) {
            fail(QStringLiteral("cycle %1: %2").arg(i).arg(error));
            return;
        }
        if (i == 1 || i == cycles || i % 50 == 0 || i == 10) {
            const ProcessMemory now = ProcessMemory::now();
            const int widgets = static_cast<int>(QApplication::allWidgets().size());
            std::printf("after cycle %-3d: %s, %d widgets\n", i, qPrintable(now.toString()),
                        widgets);
            if (i == 1) {
                first = now;
                widgetsAfterFirst = widgets;
            }
        }
    }
    const ProcessMemory last = ProcessMemory::now();
    const int widgetsAfterLast = static_cast<int>(QApplication::allWidgets().size());
    const long long heapGrowthKb =
        (static_cast<long long>(last.heapInUse) - static_cast<long long>(first.heapInUse)) / 1024;
    if (checkGrowth)
        std::printf("growth: peak %+ld kB (allowed %ld), heap %+lld kB (allowed %zu)\n",
                    last.peakResidentKb - first.peakResidentKb, kPeakSlackKb, heapGrowthKb,
                    kHeapSlack / 1024);
    else
        std::printf("growth: peak %+ld kB (not judged here)\n",
                    last.peakResidentKb - first.peakResidentKb);
    std::fflush(stdout);

    if (widgetsAfterLast != widgetsAfterFirst)
        fail(QStringLiteral("%1 widgets after the last cycle, %2 after the first")
                 .arg(widgetsAfterLast)
                 .arg(widgetsAfterFirst));
    if (checkGrowth && last.peakResidentKb > first.peakResidentKb + kPeakSlackKb)
        fail(QStringLiteral("peak resident memory grew"));
    if (checkGrowth && last.heapInUse > first.heapInUse + kHeapSlack)
        fail(QStringLiteral("heap in use grew"));

    // Exit with windows of every kind open, so that Exit has all of them to close.
    for (int band = 1; band <= ExamWindow::verdictWindowCount; ++band) {
        cycler.scoreInBand(band);
        exam.cmd合格率_Click();
    }
    exam.mnuAbout_Click();
    QCoreApplication::processEvents();
    if (cycler.openWindowCount() != WindowCycler::kindCount)
        fail(QStringLiteral("%1 windows open before Exit").arg(cycler.openWindowCount()));
}

} // namespace

int main(int argc, char *argv[]) {
    // glibc raises its mmap threshold the first time a large block is freed, so from the second
    // cycle on the window-sized paint buffers come from the heap, and stay resident, instead of
    // from mmap: a one-time step that would read as growth. A fixed threshold keeps it out.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
    defaultHandler = qInstallMessageHandler(dropPlatformNotes);
    QApplication app(argc, argv);
    int cycles = 200;
    bool checkGrowth = true;
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--no-growth-check")
            checkGrowth = false;
        else
            cycles = QByteArray(argv[i]).toInt();
    }
    if (cycles < 1) {
        std::fprintf(stderr, "usage: %s [cycles] [--no-growth-check]\n", argv[0]);
        return 2;
    }
    installFontSubstitutions();
    ExamWindow exam;
    exam.show();

    // Run inside the event loop, as the program does, so that Exit ends it the way it ends the
    // program: the last window closes and exec() returns.
    QTimer::singleShot(0, &exam, [&] {
        runExam(exam, cycles, checkGrowth);
        exam.mnuExit_Click();
    });
    const int status = app.exec();
    std::printf("exited through Exit (%d)\n", status);
    return failures == 0 ? status : 1;
}
