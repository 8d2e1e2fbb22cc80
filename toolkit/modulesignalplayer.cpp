#include "toolkit/modulesignalplayer.h"

#include <QObject>
#include <cstdio>
#include <dlfcn.h>
#include <unistd.h>

#include "toolkit/regularfile.h"
#include "toolkit/signalplayermodule.h"

namespace {

// The module's root object, as its plugin metadata declares it.
QObject *loadModuleObject(const QString &path) {
    // The file is opened and checked through its handle, and the loader is given that handle's
    // name: so it loads what was checked, a FIFO in its place cannot hold it up, and no folder
    // name, whatever its bytes, is decoded and spelled again on the way.
    const int fd = openRegularFile(path);
    if (fd < 0)
        return nullptr;
    char name[32];
    std::snprintf(name, sizeof name, "/proc/self/fd/%d", fd);
    // The sound layer keeps threads and handlers of its own: the module is never unloaded.
    void *library = ::dlopen(name, RTLD_NOW | RTLD_LOCAL);
    ::close(fd);
    if (!library)
        return nullptr;
    using Instance = QObject *(*)();
    auto instance = reinterpret_cast<Instance>(::dlsym(library, "qt_plugin_instance"));
    return instance ? instance() : nullptr;
}

} // namespace

ModuleSignalPlayer::ModuleSignalPlayer(const QString &folder) : folder_(folder) {}

ModuleSignalPlayer::~ModuleSignalPlayer() = default;

void ModuleSignalPlayer::setFileName(const QString &path) {
    fileName_ = path;
    if (player_)
        player_->setFileName(path);
}

void ModuleSignalPlayer::command(const QString &verb) {
    if (!loadTried_) {
        if (verb == QLatin1String("Stop"))
            return;
        load();
    }
    if (player_)
        player_->command(verb);
}

void ModuleSignalPlayer::load() {
    // Tried once: the program's folder does not change while it runs, and a module that fails
    // to load would fail again every second.
    loadTried_ = true;
    auto *module = qobject_cast<SignalPlayerModule *>(loadModuleObject(folder_ + moduleName));
    if (!module)
        return;
    player_ = module->createPlayer();
    if (player_)
        player_->setFileName(fileName_);
}
