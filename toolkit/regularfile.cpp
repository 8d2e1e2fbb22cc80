#include "toolkit/regularfile.h"

#include <QFile>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int openRegularFile(const QString &path) {
    const QByteArray name = QFile::encodeName(path);
    // A path-only handle opens no device and waits for no FIFO's writer; what it names is then
    // opened for reading through the handle itself, so it is the very file that was checked.
    const int handle = ::open(name.constData(), O_PATH | O_CLOEXEC);
    if (handle < 0)
        return -1;
    struct stat info {};
    int fd = -1;
    if (::fstat(handle, &info) == 0 && S_ISREG(info.st_mode)) {
        char reopen[32];
        std::snprintf(reopen, sizeof reopen, "/proc/self/fd/%d", handle);
        fd = ::open(reopen, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        // Without /proc: the name once more, still without blocking, and checked again.
        if (fd < 0)
            fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
        struct stat opened {};
        if (fd >= 0 && (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) ||
                        opened.st_ino != info.st_ino || opened.st_dev != info.st_dev)) {
            ::close(fd);
            fd = -1;
        }
    }
    ::close(handle);
    return fd;
}
