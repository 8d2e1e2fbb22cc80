#pragma once

#include <QAudioFormat>
#include <QIODevice>
#include <vector>

class WavFile;

// The samples of an open WAV file as bytes in an output's format, converted block by block as
// an audio output pulls them: rate, channels and sample type as the format asks, and then as
// much silence as asked for, so that an output that stops when its source runs dry drops only
// silence. Memory stays one block, whatever the file's length.
class WavStream final : public QIODevice {
public:
    WavStream(WavFile &file, const QAudioFormat &format, qint64 silenceFrames = 0);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;
    // Back to the file's first sample.
    void rewind();

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    bool holdFrames(qint64 first);
    qint64 heldEnd() const { return heldStart_ + held_; }

    WavFile &file_;
    const QAudioFormat format_;
    const qint64 silenceFrames_;
    // Input frames per output frame.
    const double step_;
    // Output frames of sound, as far as the file's header tells.
    const qint64 soundFrames_;
    qint64 outFrame_ = 0;
    qint64 silenceLeft_;
    // Input frames [heldStart_, heldStart_ + held_) are in block_.
    std::vector<float> block_;
    qint64 heldStart_ = 0;
    qint64 held_ = 0;
    bool fileEnded_ = false;
    bool soundEnded_ = false;
};
