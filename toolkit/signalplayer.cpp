#include "toolkit/signalplayer.h"

#include <QThread>

#include "toolkit/signalplayback.h"
#include "toolkit/soundmessages.h"

namespace {

// How long closing waits for the sound thread to finish what it is doing.
constexpr int shutdownWaitMs = 500;

// A sound thread that did not end in time is let run, never destroyed: it ends once the call
// that holds it returns. Kept reachable here, it is not mistaken for a leak.
QThread *abandonedThread = nullptr;

} // namespace

SignalPlayer::SignalPlayer()
    : thread_(new QThread), playback_(new SignalPlayback),
      done_(std::make_shared<std::atomic<int>>(0)) {
    installQuietSoundMessages();
    thread_->setObjectName(QStringLiteral("time signal"));
    playback_->moveToThread(thread_);
    thread_->start();
}

SignalPlayer::~SignalPlayer() {
    // The playback and its audio output belong to the sound thread and are torn down there.
    // The thread deletes what was left for later as it finishes.
    QMetaObject::invokeMethod(
        playback_,
        [playback = playback_] {
            playback->stop();
            playback->deleteLater();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    if (thread_->wait(QDeadlineTimer(shutdownWaitMs)))
        delete thread_;
    else
        abandonedThread = thread_;
}

// The name goes with the next command, so that a tick wakes the sound thread once.
void SignalPlayer::setFileName(const QString &path) {
    fileName_ = path;
}

void SignalPlayer::command(const QString &verb) {
    void (SignalPlayback::*step)() = nullptr;
    if (verb == QLatin1String("Open"))
        step = &SignalPlayback::open;
    else if (verb == QLatin1String("Prev"))
        step = &SignalPlayback::rewind;
    else if (verb == QLatin1String("Play"))
        step = &SignalPlayback::play;
    else if (verb == QLatin1String("Stop"))
        step = &SignalPlayback::stop;
    if (!step)
        return;
    ++posted_;
    QMetaObject::invokeMethod(
        playback_,
        // The count is shared: an abandoned thread may still be working through its queue.
        [playback = playback_, name = fileName_, step, done = done_] {
            playback->setFileName(name);
            (playback->*step)();
            ++*done;
        },
        Qt::QueuedConnection);
}

QString SignalPlayer::openFileName() const {
    return playback_->openFileName();
}

int SignalPlayer::loadCount() const {
    return playback_->loadCount();
}
