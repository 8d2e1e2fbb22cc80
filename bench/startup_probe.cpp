// Start-up probe for profiling: the exam window made and shown as the program does; once the
// first complete frame is painted and flushed (the window exposed and the paper's text drawn in
// it) it prints the wall-clock time in nanoseconds and the peak resident memory, then ends at
// once, so that a profiler sees exactly what comes before the frame a person sees.
#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QTextEdit>
#include <QWindow>
#include <cstdio>
#include <cstdlib>

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

// The window's expose is handled by painting every widget and flushing the frame to the screen
// before the handler returns: the first expose after which the text has been painted ends the
// first complete frame. The probe stops right there, before any other event is handled.
class ProbeApplication : public QApplication {
public:
    using QApplication::QApplication;
    const TextPaintWatcher *watcher = nullptr;
    const QWindow *window = nullptr;

    bool notify(QObject *receiver, QEvent *event) override {
        const bool expose = event->type() == QEvent::Expose && receiver == window;
        const bool result = QApplication::notify(receiver, event);
        if (expose && watcher->painted()) {
            const qint64 ns = QDateTime::currentMSecsSinceEpoch() * 1000000;
            std::printf("frame_ns %lld\n", static_cast<long long>(ns));
            std::printf("peak_kb %ld\n", peakResidentKb());
            std::fflush(stdout);
            std::_Exit(0);
        }
        return result;
    }
};

} // namespace

int main(int argc, char *argv[]) {
    std::thread fontConfiguration = readFontConfigurationAhead();
    ProbeApplication app(argc, argv);
    fontConfiguration.join();
    installFontSubstitutions();
    installToolkitAccessibility();
    ExamWindow window;
    TextPaintWatcher watcher(window.findChild<QTextEdit *>(QStringLiteral("RichTextBox1")));
    window.findChild<QTextEdit *>(QStringLiteral("RichTextBox1"))
        ->viewport()
        ->installEventFilter(&watcher);
    app.watcher = &watcher;
    window.show();
    app.window = window.windowHandle();
    return app.exec();
}
