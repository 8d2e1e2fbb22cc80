// Reading one paragraph of many format runs: the time per run must not grow with their number.
//
// rtf_long_paragraph [RUNS...]   (default: 10000 100000 1000000)
//
// Each document is "\b a\b0 b" repeated RUNS times in one paragraph; prints the size, the time
// to read it (best of three, one for the largest) and the time per run, on the wall clock and in
// CPU time of the process (steadier on a busy machine).

#include "rtf/rtfreader.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <limits>
#include <vector>

namespace {

QByteArray longParagraph(int runs) {
    const QByteArray head = "{\\rtf1\\ansi\\ansicpg932\\deff0{\\fonttbl{\\f0\\froman Times;}}"
                            "\\pard\\plain\\f0\\fs24 ";
    const QByteArray run = "\\b a\\b0 b";
    QByteArray rtf;
    rtf.reserve(head.size() + run.size() * runs + 8);
    rtf += head;
    for (int i = 0; i < runs; ++i)
        rtf += run;
    return rtf + "\\par}";
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(QByteArray(argv[i]).toInt());
    if (counts.empty())
        counts = {10000, 100000, 1000000};

    {
        // Fonts and the layout's first use are paid once, outside the measurement.
        QTextDocument warmUp;
        readRtf(longParagraph(10), &warmUp);
    }

    std::printf("%10s %12s %10s %10s %12s %12s\n", "runs", "bytes", "wall ms", "cpu ms",
                "wall ns/run", "cpu ns/run");
    for (const int runs : counts) {
        const QByteArray rtf = longParagraph(runs);
        const int repeats = runs >= 1000000 ? 1 : 3;
        double best = std::numeric_limits<double>::max();
        double bestCpu = std::numeric_limits<double>::max();
        for (int r = 0; r < repeats; ++r) {
            QTextDocument document;
            QElapsedTimer timer;
            const std::clock_t cpuStart = std::clock();
            timer.start();
            readRtf(rtf, &document);
            best = std::min(best, timer.nsecsElapsed() / 1e6);
            bestCpu = std::min(bestCpu, (std::clock() - cpuStart) * 1000.0 / CLOCKS_PER_SEC);
            if (document.characterCount() != 2 * runs + 2) {
                std::fprintf(stderr, "read %d characters, expected %d\n", document.characterCount(),
                             2 * runs + 2);
                return 1;
            }
        }
        std::printf("%10d %12lld %10.1f %10.1f %12.1f %12.1f\n", runs,
                    static_cast<long long>(rtf.size()), best, bestCpu, best * 1e6 / runs,
                    bestCpu * 1e6 / runs);
    }
    return 0;
}
