#include "toolkit/signalplayer.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFileInfo>
#include <QMediaDevices>
#include <cstdio>

namespace {

QtMessageHandler previousHandler = nullptr;

// Qt's sound layer warns on the console when there is no sound server. The time signal is
// optional, so those lines would only alarm the user; everything else goes on to the handler
// that was there before.
bool isSoundLayerWarning(QtMsgType type, const QString &message) {
    if (type != QtWarningMsg)
        return false;
    return message.startsWith(QLatin1String("PulseAudioService:")) ||
           message.startsWith(QLatin1String("QAudioSink")) ||
           message == QLatin1String("No audio device detected");
}

void dropSoundLayerWarnings(QtMsgType type, const QMessageLogContext &context,
                            const QString &message) {
    if (isSoundLayerWarning(type, message))
        return;
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    const QString line = qFormatLogMessage(type, context, message);
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
}

void installQuietSoundHandler() {
    static const bool installed = [] {
        previousHandler = qInstallMessageHandler(dropSoundLayerWarnings);
        return true;
    }();
    Q_UNUSED(installed);
}

// Silence after the signal: an output that stops when its source runs dry may drop what it
// still holds, and then it drops only this.
constexpr double tailSeconds = 0.5;

QAudioFormat formatFor(const QAudioDevice &device, const WavSound &sound) {
    QAudioFormat format;
    format.setSampleRate(sound.rate);
    format.setChannelCount(sound.channels);
    // Floats keep 24- and 32-bit files whole; the output converts or the player does.
    for (QAudioFormat::SampleFormat sampleFormat : {QAudioFormat::Float, QAudioFormat::Int16}) {
        format.setSampleFormat(sampleFormat);
        if (device.isFormatSupported(format))
            return format;
    }
    return device.preferredFormat();
}

} // namespace

SignalPlayer::SignalPlayer() {
    installQuietSoundHandler();
}

SignalPlayer::~SignalPlayer() = default;

void SignalPlayer::setFileName(const QString &path) {
    fileName_ = path;
}

void SignalPlayer::command(const QString &verb) {
    if (verb == QLatin1String("Open"))
        open();
    else if (verb == QLatin1String("Prev"))
        rewind();
    else if (verb == QLatin1String("Play"))
        play();
}

void SignalPlayer::open() {
    if (fileName_.isEmpty())
        return;
    // A missing file is not remembered as open, so one put in place later is still found.
    const QFileInfo info(fileName_);
    if (!info.isFile())
        return;
    // "Open" arrives every second while the clock runs; reading an unchanged file again would
    // decode it again each time and could cut off a signal that is playing.
    const QDateTime modified = info.lastModified();
    if (fileName_ == openName_ && info.size() == openSize_ && modified == openModified_)
        return;
    openName_ = fileName_;
    openSize_ = info.size();
    openModified_ = modified;
    sink_.reset();
    sound_ = readPcmWav(fileName_);
    if (sound_)
        ++loadCount_;
}

void SignalPlayer::rewind() {
    if (sink_)
        sink_->stop();
}

void SignalPlayer::play() {
    if (!sound_)
        return;
    if (!sink_) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return;
        WavSound padded = *sound_;
        padded.samples.resize(
            padded.samples.size() + qsizetype(tailSeconds * padded.rate) * padded.channels, 0.0f);
        const QAudioFormat format = formatFor(device, padded);
        buffer_.close();
        buffer_.setData(toAudioFormat(padded, format));
        sink_ = std::make_unique<QAudioSink>(device, format);
    }
    sink_->stop();
    buffer_.close();
    if (buffer_.size() == 0 || !buffer_.open(QIODevice::ReadOnly))
        return;
    sink_->start(&buffer_);
}
