// Start-up probe for profiling: the exam window made and shown as the program does; once the
// first complete frame is painted and flushed (the window exposed and the paper's text drawn in
// it) it prints the wall-clock time in nanoseconds and the peak resident memory, then ends at
// once, so that a profiler sees exactly what comes before the frame a person sees.
// It also prints where that time went on the clock, which an instruction count cannot tell:
// milliseconds from main() to the end of each step, the queued calls handled between the show
// and the expose, and each widget's painting in the frame.
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QMap>
#include <QTextEdit>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/examwindow.h"
#include "toolkit/accessibility.h"
#include "toolkit/fonts.h"

namespace {

long peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Marks the first paint of the paper's text with the paper in it.
class TextPaintWatcher : public QObject {
public:
    explicit TextPaintWatcher(QTextEdit *text) : text_(text) {}
    bool painted() const { return painted_; }

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && watched == text_->viewport() &&
            !text_->document()->isEmpty())
            painted_ = true;
        return false;
    }

private:
    QTextEdit *text_;
    bool painted_ = false;
};

class Stopwatch {
public:
    double ms() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
            .count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// A widget as the figures name it: by its object name, or by its parent's and its class.
QString paintedName(const QObject *widget) {
    const QString name = widget->objectName();
    const QString parent = widget->parent() ? widget->parent()->objectName() : QString();
    if (name.isEmpty())
        return parent + QLatin1Char('/') + QLatin1String(widget->metaObject()->className());
    if (name.startsWith(QLatin1String("qt_")))
        return parent + QLatin1Char('/') + name;
    return name;
}

// The window's expose is handled by painting every widget and flushing the frame to the screen
// before the handler returns: the first expose after which the text has been painted ends the
// first complete frame. The probe stops right there, before any other event is handled.
class ProbeApplication : public QApplication {
public:
    using QApplication::QApplication;
    const TextPaintWatcher *watcher = nullptr;
    const QWindow *window = nullptr;
    const Stopwatch *clock = nullptr;

    // Milliseconds from main() to the end of a step.
    void mark(const char *step) { marks_.push_back({step, clock->ms()}); }

    bool notify(QObject *receiver, QEvent *event) override {
        const bool expose = event->type() == QEvent::Expose && receiver == window;
        if (expose && !exposed_) {
            exposed_ = true;
            mark("expose");
        }
        const bool queued = event->type() == QEvent::MetaCall && window && !exposed_;
        const bool paint = event->type() == QEvent::Paint;
        const double start = queued || paint ? clock->ms() : 0;
        const bool result = QApplication::notify(receiver, event);
        if (queued)
            queuedMs_ += clock->ms() - start;
        if (paint)
            paintMs_[paintedName(receiver)] += clock->ms() - start;
        if (expose && watcher->painted()) {
            const qint64 ns = QDateTime::currentMSecsSinceEpoch() * 1000000;
            mark("frame");
            std::printf("frame_ns %lld\n", static_cast<long long>(ns));
            std::printf("peak_kb %ld\n", peakResidentKb());
            for (const auto &[step, ms] : marks_)
                std::printf("at_ms %s %.3f\n", step, ms);
            std::printf("queued_ms %.3f\n", queuedMs_);
            for (auto it = paintMs_.cbegin(); it != paintMs_.cend(); ++it)
                std::printf("paint_ms %s %.3f\n", qUtf8Printable(it.key()), it.value());
            std::fflush(stdout);
            std::_Exit(0);
        }
        return result;
    }

private:
    std::vector<std::pair<const char *, double>> marks_;
    bool exposed_ = false;
    double queuedMs_ = 0;
    QMap<QString, double> paintMs_;
};

} // namespace

int main(int argc, char *argv[]) {
    const Stopwatch clock;
    std::thread fontConfiguration = readFontConfigurationAhead();
    ProbeApplication app(argc, argv);
    app.clock = &clock;
    fontConfiguration.join();
    installFontSubstitutions();
    installToolkitAccessibility();
    app.mark("application");
    ExamWindow window;
    app.mark("window");
    TextPaintWatcher watcher(window.findChild<QTextEdit *>(QStringLiteral("RichTextBox1")));
    window.findChild<QTextEdit *>(QStringLiteral("RichTextBox1"))
        ->viewport()
        ->installEventFilter(&watcher);
    app.watcher = &watcher;
    window.show();
    app.window = window.windowHandle();
    app.mark("show");
    return app.exec();
}
