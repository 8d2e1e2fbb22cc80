#include "toolkit/wavsound.h"

#include <QFile>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <memory>
#include <sndfile.h>

namespace {

// Whether the "data" chunk holds every byte its header promises. The decoder reads what is
// there and says nothing, so a file still being copied would otherwise play cut short.
bool dataIsComplete(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray riff = file.read(12);
    if (riff.size() != 12)
        return false;
    const qint64 size = file.size();
    qint64 pos = 12;
    while (pos + 8 <= size) {
        if (!file.seek(pos))
            return false;
        const QByteArray header = file.read(8);
        if (header.size() != 8)
            return false;
        const quint32 length = qFromLittleEndian<quint32>(header.constData() + 4);
        if (header.startsWith("data")) {
            // Written by a program that could not go back to fill the length in: unknown.
            if (length == 0 || length == 0xFFFFFFFFu)
                return true;
            return pos + 8 + length <= size;
        }
        // Chunks are padded to an even length.
        pos += 8 + qint64(length) + (length & 1);
    }
    return false;
}

bool isPcmOrFloatWav(const SF_INFO &info) {
    const int container = info.format & SF_FORMAT_TYPEMASK;
    if (container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX)
        return false;
    switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
        return true;
    default:
        return false;
    }
}

struct SndFileCloser {
    void operator()(SNDFILE *file) const { sf_close(file); }
};

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

std::optional<WavSound> readPcmWav(const QString &path) {
    if (!dataIsComplete(path))
        return std::nullopt;
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndFileCloser> file(
        sf_open(QFile::encodeName(path).constData(), SFM_READ, &info));
    if (!file || !isPcmOrFloatWav(info) || info.frames <= 0 || info.channels < 1 ||
        info.channels > 8 || info.samplerate < 1000 || info.samplerate > 384000)
        return std::nullopt;
    // A time signal lasts seconds; a file of more than ten minutes is not one.
    if (info.frames > qint64(info.samplerate) * 600)
        return std::nullopt;
    WavSound sound;
    sound.rate = info.samplerate;
    sound.channels = info.channels;
    sound.samples.resize(info.frames * info.channels);
    const sf_count_t read = sf_readf_float(file.get(), sound.samples.data(), info.frames);
    if (read <= 0)
        return std::nullopt;
    sound.samples.resize(read * info.channels);
    return sound;
}

QByteArray toAudioFormat(const WavSound &sound, const QAudioFormat &format) {
    const int outRate = format.sampleRate();
    const int outChannels = format.channelCount();
    const int sampleBytes = format.bytesPerSample();
    const qsizetype inFrames = sound.frames();
    if (outRate <= 0 || outChannels <= 0 || sampleBytes <= 0 || inFrames == 0)
        return {};
    const qsizetype outFrames =
        qsizetype((double(inFrames) * outRate + sound.rate - 1) / sound.rate);
    QByteArray bytes(outFrames * outChannels * sampleBytes, '\0');
    char *out = bytes.data();
    const double step = double(sound.rate) / outRate;
    for (qsizetype i = 0; i < outFrames; ++i) {
        // Linear interpolation between the two nearest input frames.
        const double at = i * step;
        const qsizetype a = std::min<qsizetype>(qsizetype(at), inFrames - 1);
        const qsizetype b = std::min<qsizetype>(a + 1, inFrames - 1);
        const float t = float(at - a);
        auto input = [&](int channel) {
            const float *fa = sound.samples.constData() + a * sound.channels;
            const float *fb = sound.samples.constData() + b * sound.channels;
            return fa[channel] + (fb[channel] - fa[channel]) * t;
        };
        for (int c = 0; c < outChannels; ++c) {
            float v = 0;
            if (outChannels == 1) {
                for (int k = 0; k < sound.channels; ++k)
                    v += input(k);
                v /= sound.channels;
            } else {
                v = input(std::min(c, sound.channels - 1));
            }
            putSample(out, format.sampleFormat(), v);
            out += sampleBytes;
        }
    }
    return bytes;
}
