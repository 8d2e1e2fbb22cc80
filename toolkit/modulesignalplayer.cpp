#include "toolkit/modulesignalplayer.h"

#include <QPluginLoader>

#include "toolkit/signalplayermodule.h"

ModuleSignalPlayer::ModuleSignalPlayer(const QString &folder) : folder_(folder) {}

ModuleSignalPlayer::~ModuleSignalPlayer() = default;

void ModuleSignalPlayer::setFileName(const QString &path) {
    fileName_ = path;
    if (player_)
        player_->setFileName(path);
}

void ModuleSignalPlayer::command(const QString &verb) {
    if (!loadTried_)
        load();
    if (player_)
        player_->command(verb);
}

void ModuleSignalPlayer::load() {
    // Tried once: the program's folder does not change while it runs, and a module that fails
    // to load would fail again every second.
    loadTried_ = true;
    QPluginLoader loader(folder_ + QLatin1String(moduleName));
    // The sound layer keeps threads and handlers of its own; it stays until the program ends.
    loader.setLoadHints(QLibrary::PreventUnloadHint);
    auto *module = qobject_cast<SignalPlayerModule *>(loader.instance());
    if (!module)
        return;
    player_ = module->createPlayer();
    if (player_)
        player_->setFileName(fileName_);
}
