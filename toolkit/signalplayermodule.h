#pragma once

#include <QtPlugin>
#include <memory>

#include "toolkit/signalplayerinterface.h"

// What the sound module offers the program: a player. The program loads the module when the
// exam first needs the signal, so that the sound layer costs nothing at start-up.
class SignalPlayerModule {
public:
    virtual ~SignalPlayerModule() = default;
    virtual std::unique_ptr<SignalPlayerInterface> createPlayer() = 0;
};

#define SignalPlayerModule_iid "org.eigoexam.SignalPlayerModule/1"
Q_DECLARE_INTERFACE(SignalPlayerModule, SignalPlayerModule_iid)
