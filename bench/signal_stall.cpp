// Signal stall probe: how long the GUI thread is kept from its events by the time signal, and the
// memory the player holds while the signal sounds. Through the program's own player (the sound
// module beside this probe) it sends what the exam sends: the file name and "Open" at a tick,
// then "Prev" and "Play" at 0:00. A 1 ms heartbeat on the GUI thread shows every stall.
//   signal_stall FILE [PLAY_SECONDS]
// Prints, one "name value" a line:
//   tick_answer_ms   the longest the GUI thread was held, from the tick's commands until 2 s
//                    after they returned
//   zero_answer_ms   the same for 0:00's commands, until PLAY_SECONDS after
//   rss_kb_before    resident memory before the first command
//   rss_kb_peak      the most resident memory seen while the signal played
//   close_ms         how long closing the player took, the signal still sounding
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>

#include "tests/memcheck/processmemory.h"
#include "toolkit/modulesignalplayer.h"

namespace {

qint64 residentKb() {
    return ProcessMemory::now().residentKb;
}

// Runs `commands` on the GUI thread, then its event loop for `seconds`; returns the longest the
// loop was held, the commands' own time included, and raises `peakKb` to what memory reached.
double longestStall(const std::function<void()> &commands, double seconds, qint64 &peakKb) {
    QElapsedTimer clock;
    clock.start();
    commands();
    double longest = clock.nsecsElapsed() / 1e6;
    double last = longest;
    QTimer heartbeat;
    heartbeat.setTimerType(Qt::PreciseTimer);
    QObject::connect(&heartbeat, &QTimer::timeout, [&] {
        const double now = clock.nsecsElapsed() / 1e6;
        longest = std::max(longest, now - last);
        last = now;
        peakKb = std::max(peakKb, residentKb());
    });
    heartbeat.start(1);
    const qint64 until = clock.elapsed() + qint64(seconds * 1000);
    while (clock.elapsed() < until)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return longest;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: signal_stall FILE [PLAY_SECONDS]\n");
        return 2;
    }
    const QString path = QFile::decodeName(argv[1]);
    const double playSeconds = argc > 2 ? QByteArray(argv[2]).toDouble() : 3.0;
    auto owned = std::make_unique<ModuleSignalPlayer>(QCoreApplication::applicationDirPath() +
                                                      QLatin1Char('/'));
    ModuleSignalPlayer &player = *owned;
    const qint64 before = residentKb();
    qint64 peak = before;
    const double tick = longestStall(
        [&] {
            player.setFileName(path);
            player.command(QStringLiteral("Open"));
        },
        2.0, peak);
    const double zero = longestStall(
        [&] {
            player.command(QStringLiteral("Prev"));
            player.command(QStringLiteral("Play"));
        },
        playSeconds, peak);
    QElapsedTimer closing;
    closing.start();
    owned.reset();
    const double close = closing.nsecsElapsed() / 1e6;
    std::printf("tick_answer_ms %.1f\nzero_answer_ms %.1f\nrss_kb_before %lld\nrss_kb_peak %lld\n"
                "close_ms %.1f\n",
                tick, zero, static_cast<long long>(before), static_cast<long long>(peak), close);
    return 0;
}
