#pragma once

#include <QStringList>

#include "toolkit/signalplayerinterface.h"

// Records what the window asks of the player, as "file=PATH" and the command verbs, in order.
class RecordingPlayer final : public SignalPlayerInterface {
public:
    void setFileName(const QString &path) override { calls << QStringLiteral("file=") + path; }
    void command(const QString &verb) override { calls << verb; }

    QStringList calls;
};
