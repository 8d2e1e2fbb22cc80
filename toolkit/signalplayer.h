#pragma once

#include <QString>
#include <memory>

#include "toolkit/signalplayerinterface.h"

class QSoundEffect;

// Plays one short WAV file through the default audio output. It answers the text commands
// "Open", "Prev" and "Play"; anything it cannot do, from a missing file to a missing sound
// server, it leaves undone without a word, so the caller's timing never depends on the sound.
class SignalPlayer final : public SignalPlayerInterface {
public:
    SignalPlayer();
    ~SignalPlayer() override;

    void setFileName(const QString &path) override;
    void command(const QString &verb) override;

    // The file the last "Open" took, damaged or not; empty before any.
    QString openFileName() const { return openName_; }
    // How many times a file was handed to the sound layer; "Open" for the open file does not
    // count, nor does a damaged file.
    int loadCount() const { return loadCount_; }

private:
    void open();
    void rewind();
    void play();

    QString fileName_;
    QString openName_;
    int loadCount_ = 0;
    std::unique_ptr<QSoundEffect> effect_;
};
