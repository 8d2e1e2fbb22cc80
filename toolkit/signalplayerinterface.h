#pragma once

#include <QString>

// A player driven by a file name and text commands ("Open", "Prev", "Play"). Nothing is read
// back: a command the player cannot carry out is dropped without a word.
class SignalPlayerInterface {
public:
    virtual ~SignalPlayerInterface() = default;
    virtual void setFileName(const QString &path) = 0;
    virtual void command(const QString &verb) = 0;
};
