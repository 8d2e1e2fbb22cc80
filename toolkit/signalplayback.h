#pragma once

#include <QMutex>
#include <QObject>
#include <QString>
#include <atomic>
#include <memory>

class QAudioSink;
class WavFile;
class WavStream;

// The time signal as the sound thread plays it: the file opened, checked and streamed to the
// default audio output. Each step may wait on the disk or on the sound server, which is why it
// runs on a thread of its own; anything it cannot do it leaves undone without a word.
class SignalPlayback final : public QObject {
public:
    SignalPlayback();
    ~SignalPlayback() override;

    void setFileName(const QString &path) { fileName_ = path; }
    void open();
    void rewind();
    void play();
    void stop();

    // Readable from any thread: the file the last "Open" looked at, usable or not, and how many
    // times a file was opened and found playable ("Open" for an unchanged file does not count).
    QString openFileName() const;
    int loadCount() const { return loadCount_; }

private:
    // What tells one file from another, or from itself rewritten.
    struct Identity {
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = -1;
        qint64 modifiedNs = 0;
        bool operator==(const Identity &) const = default;
    };

    void closeFile();

    QString fileName_;
    mutable QMutex openNameMutex_;
    QString openName_;
    Identity openIdentity_;
    std::atomic<int> loadCount_ = 0;
    std::unique_ptr<WavFile> file_;
    std::unique_ptr<WavStream> stream_;
    std::unique_ptr<QAudioSink> sink_;
};
