// Clock CPU probe: the exam window as the program makes it, left Ready, started ("run"), or left
// Ready beside a 1-second precise timer that does nothing ("emptytick": what any tick costs
// here, the floor under the clock's own), for SECONDS after a settling time. Prints the CPU
// time the whole process used (all threads, from getrusage) per real minute, and how often the
// clock label and every other widget were painted in that time.
//   clock_cpu_probe ready|run|emptytick SECONDS
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <sys/resource.h>

#include "app/examwindow.h"
#include "toolkit/fonts.h"

namespace {

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

class PaintCounter final : public QObject {
public:
    QObject *clockLabel = nullptr;
    int labelPaints = 0;
    int otherPaints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint)
            ++(watched == clockLabel ? labelPaints : otherPaints);
        return false;
    }
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: clock_cpu_probe ready|run|emptytick SECONDS\n");
        return 2;
    }
    const bool run = QByteArray(argv[1]) == "run";
    const int seconds = QByteArray(argv[2]).toInt();
    installFontSubstitutions();
    ExamWindow window;
    window.show();

    PaintCounter counter;
    counter.clockLabel = window.findChild<QLabel *>(QStringLiteral("lbl秒"));
    double startMs = 0;
    QElapsedTimer wall;
    constexpr int settleMs = 5000;

    QTimer emptyTick;
    emptyTick.setTimerType(Qt::PreciseTimer);
    emptyTick.setInterval(1000);
    QObject::connect(&emptyTick, &QTimer::timeout, [] {});
    if (QByteArray(argv[1]) == "emptytick")
        emptyTick.start();
    if (run)
        QTimer::singleShot(500, &window, [&] {
            window.findChild<QPushButton *>(QStringLiteral("cmdスタート"))->click();
        });
    QTimer::singleShot(settleMs, &window, [&] {
        for (QWidget *w : window.findChildren<QWidget *>())
            w->installEventFilter(&counter);
        window.installEventFilter(&counter);
        startMs = cpuMs();
        wall.start();
    });
    QTimer::singleShot(settleMs + seconds * 1000, &window, [&] {
        const double minutes = wall.elapsed() / 60000.0;
        std::printf("cpu_ms_per_minute %.2f\n", (cpuMs() - startMs) / minutes);
        std::printf("label_paints_per_minute %.2f\n", counter.labelPaints / minutes);
        std::printf("other_paints_per_minute %.2f\n", counter.otherPaints / minutes);
        std::printf("clock_text %s\n",
                    qPrintable(window.findChild<QLabel *>(QStringLiteral("lbl秒"))->text()));
        app.quit();
    });
    return app.exec();
}
