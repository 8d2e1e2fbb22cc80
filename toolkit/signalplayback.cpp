#include "toolkit/signalplayback.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QMediaDevices>
#include <sys/stat.h>
#include <unistd.h>

#include "toolkit/regularfile.h"
#include "toolkit/wavfile.h"
#include "toolkit/wavstream.h"

namespace {

// Silence after the signal: an output that stops when its source runs dry may drop what it
// still holds, and then it drops only this.
constexpr int tailMs = 500;

// The file's own rate and channels where the output takes them and the data rate is an
// everyday one. Outputs drop the end of streams far above that (hundreds of kHz, many
// channels), so those are converted here to what the output prefers.
QAudioFormat formatFor(const QAudioDevice &device, const WavFile &file) {
    if (file.rate() <= 48000 && file.channels() <= 2) {
        QAudioFormat format;
        format.setSampleRate(file.rate());
        format.setChannelCount(file.channels());
        // Floats keep 24- and 32-bit files whole.
        for (QAudioFormat::SampleFormat sampleFormat : {QAudioFormat::Float, QAudioFormat::Int16}) {
            format.setSampleFormat(sampleFormat);
            if (device.isFormatSupported(format))
                return format;
        }
    }
    return device.preferredFormat();
}

} // namespace

SignalPlayback::SignalPlayback() = default;

// The sink goes before the stream it reads, and the stream before its file.
SignalPlayback::~SignalPlayback() {
    closeFile();
}

QString SignalPlayback::openFileName() const {
    const QMutexLocker lock(&openNameMutex_);
    return openName_;
}

void SignalPlayback::closeFile() {
    sink_.reset();
    stream_.reset();
    file_.reset();
}

void SignalPlayback::open() {
    if (fileName_.isEmpty())
        return;
    // A missing file is not remembered as open, so one put in place later is still found.
    const int handle = openPathHandle(fileName_);
    if (handle < 0)
        return;
    struct stat info {};
    ::fstat(handle, &info);
    const Identity identity{quint64(info.st_dev), quint64(info.st_ino), qint64(info.st_size),
                            qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
    // "Open" arrives every second while the clock runs; opening an unchanged file again would
    // cut off a signal that is playing. A refused file is looked at again once it changes: it
    // may still have been being copied.
    if (fileName_ == openFileName() && identity == openIdentity_) {
        ::close(handle);
        return;
    }
    const int fd = openRegularFile(handle);
    ::close(handle);
    {
        const QMutexLocker lock(&openNameMutex_);
        openName_ = fileName_;
    }
    openIdentity_ = identity;
    closeFile();
    file_ = fd < 0 ? nullptr : WavFile::open(fd);
    if (file_)
        ++loadCount_;
}

void SignalPlayback::rewind() {
    if (sink_)
        sink_->stop();
    if (stream_)
        stream_->rewind();
}

void SignalPlayback::play() {
    if (!file_)
        return;
    if (!sink_) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        const QAudioFormat format = formatFor(device, *file_);
        if (!format.isValid())
            return;
        stream_ = std::make_unique<WavStream>(*file_, format,
                                              qint64(format.sampleRate()) * tailMs / 1000);
        sink_ = std::make_unique<QAudioSink>(device, format);
    }
    sink_->stop();
    sink_->start(stream_.get());
}

void SignalPlayback::stop() {
    if (!sink_)
        return;
    // Whatever the output still holds is dropped, not played out.
    sink_->reset();
    sink_->stop();
    if (stream_)
        stream_->rewind();
}
