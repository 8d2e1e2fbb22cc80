#include "toolkit/soundmessages.h"

#include <QMutex>
#include <QSet>
#include <QString>
#include <cstdio>

namespace {

QtMessageHandler previousHandler = nullptr;

// Qt prints some of them quoted, as a string streamed into a debug line is.
QStringView unquoted(QStringView message) {
    if (message.size() >= 2 && message.startsWith(u'"') && message.endsWith(u'"'))
        return message.sliced(1, message.size() - 2);
    return message;
}

bool isKnownSoundLayerLine(QStringView message) {
    static constexpr QLatin1StringView prefixes[] = {
        QLatin1StringView("PulseAudioService:"), QLatin1StringView("QAudioSink"),
        QLatin1StringView("QPulseAudioSink"), QLatin1StringView("Stream error"),
        QLatin1StringView("No audio device detected")};
    for (QLatin1StringView prefix : prefixes)
        if (message.startsWith(prefix))
            return true;
    return false;
}

bool isSoundLayerCategory(const char *category) {
    return category && QLatin1StringView(category).startsWith(QLatin1StringView("qt.multimedia"));
}

// Whether a line of the sound layer's has been let through before.
bool seenBefore(const QString &message) {
    static QMutex mutex;
    static QSet<QString> seen;
    const QMutexLocker lock(&mutex);
    if (seen.contains(message))
        return true;
    seen.insert(message);
    return false;
}

void quietSoundMessages(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (type != QtFatalMsg) {
        if (isKnownSoundLayerLine(unquoted(message)))
            return;
        if (isSoundLayerCategory(context.category) && seenBefore(message))
            return;
    }
    if (previousHandler) {
        previousHandler(type, context, message);
        return;
    }
    const QString line = qFormatLogMessage(type, context, message);
    std::fprintf(stderr, "%s\n", qPrintable(line));
    std::fflush(stderr);
}

} // namespace

void installQuietSoundMessages() {
    static const bool installed = [] {
        previousHandler = qInstallMessageHandler(quietSoundMessages);
        return true;
    }();
    Q_UNUSED(installed);
}
