// Start-up probe for profiling: the exam window made and shown as the program does; once the
// first complete frame is painted (the window exposed and the paper's text drawn in it) it
// prints the wall-clock time in nanoseconds and the peak resident memory, then quits, so that
// a profiler sees exactly what comes before the frame a person sees.
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>
#include <cstdio>

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

// Watches the window's exposes and the paper text's paints: the first paint of the text with the
// paper in it, after an expose, is the first complete frame; it is flushed to the screen before
// the event loop turns again.
class FrameWatcher : public QObject {
public:
    explicit FrameWatcher(QTextEdit *text) : text_(text) {}

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (done_)
            return false;
        if (event->type() == QEvent::Expose && watched != text_->viewport())
            exposed_ = true;
        if (event->type() == QEvent::Paint && watched == text_->viewport() && exposed_ &&
            !text_->document()->isEmpty()) {
            done_ = true;
            QTimer::singleShot(0, [] {
                const qint64 ns = QDateTime::currentMSecsSinceEpoch() * 1000000;
                std::printf("frame_ns %lld\n", static_cast<long long>(ns));
                std::printf("peak_kb %ld\n", peakResidentKb());
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    QTextEdit *text_;
    bool exposed_ = false;
    bool done_ = false;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    installFontSubstitutions();
    installToolkitAccessibility();
    ExamWindow window;
    auto *text = window.findChild<QTextEdit *>(QStringLiteral("RichTextBox1"));
    FrameWatcher watcher(text);
    text->viewport()->installEventFilter(&watcher);
    window.show();
    window.windowHandle()->installEventFilter(&watcher);
    return app.exec();
}
