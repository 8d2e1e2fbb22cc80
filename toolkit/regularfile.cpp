#include "toolkit/regularfile.h"

#include <QFile>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int openPathHandle(const QString &path) {
    return ::open(QFile::encodeName(path).constData(), O_PATH | O_CLOEXEC);
}

int openRegularFile(int pathHandle) {
    struct stat info {};
    if (::fstat(pathHandle, &info) != 0 || !S_ISREG(info.st_mode))
        return -1;
    // Opened through the handle itself, it is the very file that was checked.
    char name[32];
    std::snprintf(name, sizeof name, "/proc/self/fd/%d", pathHandle);
    const int fd = ::open(name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat opened {};
    if (fd >= 0 && (::fstat(fd, &opened) != 0 || opened.st_ino != info.st_ino ||
                    opened.st_dev != info.st_dev)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

int openRegularFile(const QString &path) {
    const int handle = openPathHandle(path);
    if (handle < 0)
        return -1;
    const int fd = openRegularFile(handle);
    ::close(handle);
    return fd;
}
