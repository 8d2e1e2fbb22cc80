#include "toolkit/signalplayer.h"

#include "toolkit/wavfilecheck.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>
#include <cstdio>

namespace {

QtMessageHandler previousHandler = nullptr;

// Qt's sound layer warns on the console when there is no sound server or the file will not
// decode. The time signal is optional, so those lines would only alarm the user; everything
// else goes on to the handler that was there before.
bool isSoundLayerWarning(QtMsgType type, const QString &message) {
    if (type != QtWarningMsg)
        return false;
    return message.startsWith(QLatin1String("PulseAudioService:")) ||
           message.startsWith(QLatin1String("QSoundEffect(")) ||
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
    // "Open" arrives every second while the clock runs; loading again would decode the file
    // again each time and could cut off a signal that is playing.
    if (fileName_.isEmpty() || fileName_ == openName_)
        return;
    // A missing file is not remembered as open, so one put in place later is still found.
    const QFileInfo info(fileName_);
    if (!info.isFile())
        return;
    // A damaged file is remembered, so that it is not read again every second, but never
    // handed to the sound layer.
    openName_ = fileName_;
    if (!isCompletePcmWav(fileName_))
        return;
    if (!effect_)
        effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    ++loadCount_;
}

void SignalPlayer::rewind() {
    if (effect_)
        effect_->stop();
}

void SignalPlayer::play() {
    if (effect_ && effect_->status() != QSoundEffect::Error)
        effect_->play();
}
