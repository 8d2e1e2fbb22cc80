#include "toolkit/wavstream.h"

#include <QtEndian>
#include <algorithm>
#include <cmath>

#include "toolkit/wavfile.h"

namespace {

// About a tenth of a second of a CD-quality file: small, and few enough reads.
constexpr qint64 blockFrames = 4096;

void putSample(char *out, QAudioFormat::SampleFormat format, float v) {
    v = std::clamp(v, -1.0f, 1.0f);
    switch (format) {
    case QAudioFormat::UInt8:
        *reinterpret_cast<quint8 *>(out) = static_cast<quint8>(std::lround(v * 127.0f) + 128);
        break;
    case QAudioFormat::Int16:
        qToLittleEndian<qint16>(static_cast<qint16>(std::lround(v * 32767.0f)), out);
        break;
    case QAudioFormat::Int32:
        qToLittleEndian<qint32>(static_cast<qint32>(std::llround(v * 2147483647.0)), out);
        break;
    case QAudioFormat::Float:
        qToLittleEndian<float>(v, out);
        break;
    default:
        break;
    }
}

} // namespace

WavStream::WavStream(WavFile &file, const QAudioFormat &format, qint64 silenceFrames)
    : file_(file), format_(format), silenceFrames_(silenceFrames),
      step_(format.sampleRate() > 0 ? double(file.rate()) / format.sampleRate() : 0),
      soundFrames_(step_ > 0 ? qint64(file.frames() / step_) : 0), silenceLeft_(silenceFrames),
      block_(std::size_t(blockFrames * file.channels())) {
    // Unbuffered: after a rewind nothing read ahead may be handed out.
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

void WavStream::rewind() {
    file_.rewind();
    outFrame_ = 0;
    silenceLeft_ = silenceFrames_;
    heldStart_ = 0;
    held_ = 0;
    fileEnded_ = false;
    soundEnded_ = false;
}

qint64 WavStream::bytesAvailable() const {
    // What is left, as far as the header tells: a source that says it has nothing would be
    // taken as finished.
    qint64 frames = silenceLeft_;
    if (!soundEnded_)
        frames += std::max<qint64>(1, soundFrames_ - outFrame_);
    return frames * format_.bytesPerFrame() + QIODevice::bytesAvailable();
}

// Makes input frames `first` and `first + 1` available where the file has them; false once
// `first` lies past its last frame.
bool WavStream::holdFrames(qint64 first) {
    const int channels = file_.channels();
    while (first + 1 >= heldEnd() && !fileEnded_) {
        // The last frame held stays, as the left neighbour of the next block's first.
        const qint64 keep = held_ > 0 ? 1 : 0;
        if (keep)
            std::copy_n(block_.begin() + (held_ - 1) * channels, channels, block_.begin());
        heldStart_ = heldEnd() - keep;
        const qint64 read = file_.read(block_.data() + keep * channels, blockFrames - keep);
        held_ = keep + read;
        fileEnded_ = read == 0;
    }
    return first < heldEnd();
}

qint64 WavStream::readData(char *data, qint64 maxSize) {
    const int frameBytes = format_.bytesPerFrame();
    const int sampleBytes = format_.bytesPerSample();
    const int outChannels = format_.channelCount();
    const int inChannels = file_.channels();
    if (frameBytes <= 0 || step_ <= 0)
        return -1;
    const qint64 frames = maxSize / frameBytes;
    char *out = data;
    qint64 written = 0;
    while (written < frames && !soundEnded_) {
        // Linear interpolation between the two nearest input frames.
        const double at = outFrame_ * step_;
        const qint64 a = qint64(at);
        if (!holdFrames(a)) {
            soundEnded_ = true;
            break;
        }
        const qint64 b = std::min(a + 1, heldEnd() - 1);
        const float t = float(at - a);
        const float *fa = block_.data() + (a - heldStart_) * inChannels;
        const float *fb = block_.data() + (b - heldStart_) * inChannels;
        auto input = [&](int c) { return fa[c] + (fb[c] - fa[c]) * t; };
        for (int c = 0; c < outChannels; ++c) {
            float v = 0;
            if (outChannels == 1) {
                for (int k = 0; k < inChannels; ++k)
                    v += input(k);
                v /= inChannels;
            } else {
                v = input(std::min(c, inChannels - 1));
            }
            putSample(out, format_.sampleFormat(), v);
            out += sampleBytes;
        }
        ++outFrame_;
        ++written;
    }
    for (; written < frames && silenceLeft_ > 0; ++written, --silenceLeft_) {
        for (int c = 0; c < outChannels; ++c, out += sampleBytes)
            putSample(out, format_.sampleFormat(), 0);
    }
    return written * frameBytes;
}
