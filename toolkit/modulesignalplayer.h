#pragma once

#include <QString>
#include <memory>

#include "toolkit/signalplayerinterface.h"

// The program's player. The real one, with the sound layer under it, lives in the sound module
// beside the program and is loaded at the first command, when an exam is running; without the
// module every command is dropped, and the exam runs on in silence. A "Stop" before any other
// command has nothing to silence and loads nothing.
class ModuleSignalPlayer final : public SignalPlayerInterface {
public:
    // The module's file name: exactly this, no other spelling of it.
    static constexpr char moduleName[] = "eigo-exam-sound.so";

    // `folder` ends with a separator.
    explicit ModuleSignalPlayer(const QString &folder);
    ~ModuleSignalPlayer() override;

    void setFileName(const QString &path) override;
    void command(const QString &verb) override;

    // The module's player; null before the first command, or when there is no module.
    SignalPlayerInterface *loadedPlayer() const { return player_.get(); }

private:
    void load();

    QString folder_;
    QString fileName_;
    bool loadTried_ = false;
    std::unique_ptr<SignalPlayerInterface> player_;
};
