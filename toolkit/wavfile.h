#pragma once

#include <QString>
#include <memory>

struct sf_private_tag;

// An open RIFF/WAVE file of PCM (8 to 32 bits) or IEEE-float samples, plain or
// WAVE_FORMAT_EXTENSIBLE, read block by block as interleaved floats in [-1, 1]: whatever the
// file's length, only a block is held at a time.
class WavFile {
public:
    // Opens the file if it is a regular file and one to play. Only its header is read. Anything
    // else is refused, and so is a file whose samples are not all there yet: one still being
    // copied is taken once it is complete.
    static std::unique_ptr<WavFile> open(const QString &path);
    // The same for a descriptor open for reading, which the file takes over (and closes when it
    // refuses).
    static std::unique_ptr<WavFile> open(int fd);
    ~WavFile();
    WavFile(const WavFile &) = delete;
    WavFile &operator=(const WavFile &) = delete;

    int rate() const { return rate_; }
    int channels() const { return channels_; }
    // The length the header gives.
    qint64 frames() const { return frames_; }

    // Reads up to `count` frames into `out`, which holds count × channels() floats; returns how
    // many were read, 0 at the end of the samples.
    qint64 read(float *out, qint64 count);
    // Back to the first sample.
    bool rewind();

private:
    WavFile(sf_private_tag *file, int fd, int rate, int channels, qint64 frames)
        : file_(file), fd_(fd), rate_(rate), channels_(channels), frames_(frames) {}

    sf_private_tag *file_;
    int fd_;
    int rate_;
    int channels_;
    qint64 frames_;
};
