// The sound module: the real player, loaded by the program from its own folder.
#include <QObject>

#include "toolkit/signalplayer.h"
#include "toolkit/signalplayermodule.h"

class SoundModule final : public QObject, public SignalPlayerModule {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID SignalPlayerModule_iid)
    Q_INTERFACES(SignalPlayerModule)

public:
    std::unique_ptr<SignalPlayerInterface> createPlayer() override {
        return std::make_unique<SignalPlayer>();
    }
};

#include "soundmodule.moc"
