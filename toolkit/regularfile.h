#pragma once

#include <QString>

// Opens `path` for reading only if it is a regular file, and returns its descriptor (close-on-
// exec), or -1. The check is made on the opened handle, never on the name before the open, and
// nothing is opened that could block or wake a device: a FIFO, a socket, a device or a folder
// put in the file's place is turned down at once.
int openRegularFile(const QString &path);
