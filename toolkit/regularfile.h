#pragma once

#include <QString>

// A path-only handle on `path` (close-on-exec), or -1. Taking one opens no device and waits for
// no FIFO's writer; it is enough to look at what the name stands for.
int openPathHandle(const QString &path);

// Opens for reading the file a path-only handle stands for, if it is a regular file, and returns
// its descriptor (close-on-exec), or -1. The check is made on the handle, never on the name, so a
// FIFO, a socket, a device or a folder put in the file's place is turned down at once.
int openRegularFile(int pathHandle);

// The same from a name: both steps, the handle closed after.
int openRegularFile(const QString &path);
