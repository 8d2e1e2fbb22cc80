#pragma once

#include <QString>
#include <atomic>
#include <memory>

#include "toolkit/signalplayerinterface.h"

class QThread;
class SignalPlayback;

// Plays a WAV file through the default audio output. It answers the text commands "Open",
// "Prev", "Play" and "Stop"; anything it cannot do, from a missing file to a missing sound
// server, it leaves undone without a word, so the caller's timing never depends on the sound.
// The commands are carried out in order on a sound thread of the player's own: the caller only
// posts them, and never waits on the disk or on the sound server. It lives in the sound module,
// the only code that links the sound layer.
class SignalPlayer final : public SignalPlayerInterface {
public:
    SignalPlayer();
    // Silences the signal. A sound thread held up by a sound server that does not answer is
    // left to end on its own, so that closing never waits on it.
    ~SignalPlayer() override;

    void setFileName(const QString &path) override;
    void command(const QString &verb) override;

    // Whether the sound thread has carried out every command sent so far.
    bool idle() const { return *done_ == posted_; }
    // The file the last "Open" looked at, usable or not; empty before any.
    QString openFileName() const;
    // How many times a file was opened and found playable; "Open" for an unchanged open file
    // does not count, nor does a file that is refused.
    int loadCount() const;

private:
    QString fileName_;
    QThread *thread_;
    SignalPlayback *playback_;
    std::shared_ptr<std::atomic<int>> done_;
    int posted_ = 0;
};
