#pragma once

#include <QBuffer>
#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

#include "toolkit/signalplayerinterface.h"
#include "toolkit/wavsound.h"

class QAudioSink;

// Plays one short WAV file through the default audio output. It answers the text commands
// "Open", "Prev" and "Play"; anything it cannot do, from a missing file to a missing sound
// server, it leaves undone without a word, so the caller's timing never depends on the sound.
// It lives in the sound module, the only code that links the sound layer.
class SignalPlayer final : public SignalPlayerInterface {
public:
    SignalPlayer();
    ~SignalPlayer() override;

    void setFileName(const QString &path) override;
    void command(const QString &verb) override;

    // The file the last "Open" read, usable or not; empty before any.
    QString openFileName() const { return openName_; }
    // How many times a file was read and found playable; "Open" for an unchanged open file
    // does not count, nor does a file that is refused.
    int loadCount() const { return loadCount_; }
    // The samples that "Play" plays, if any.
    const std::optional<WavSound> &sound() const { return sound_; }

private:
    void open();
    void rewind();
    void play();

    QString fileName_;
    QString openName_;
    // The open file's size and time as read, so that "Open" every second reads it again only
    // once it has changed: a refused file that is still being copied is looked at again.
    qint64 openSize_ = -1;
    QDateTime openModified_;
    int loadCount_ = 0;
    std::optional<WavSound> sound_;
    QBuffer buffer_;
    std::unique_ptr<QAudioSink> sink_;
};
