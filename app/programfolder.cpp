#include "app/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace {

// The folder of the program's file as the kernel names it, in bytes; empty if it cannot tell.
// Symbolic links are resolved, so a link to the program in another folder still finds the
// files that lie beside the real one.
QByteArray programFolderBytes() {
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    if (length <= 0 || length == ssize_t(sizeof path))
        return {};
    const QByteArray file(path, length);
    const qsizetype slash = file.lastIndexOf('/');
    return slash < 0 ? QByteArray() : file.left(slash + 1);
}

QString findProgramFolder() {
    const QByteArray bytes = programFolderBytes();
    if (bytes.isEmpty())
        return withTrailingSeparator(QCoreApplication::applicationDirPath());
    const QString text = QFile::decodeName(bytes);
    if (QFile::encodeName(text) == bytes)
        return text;
    // Text would spell another folder's name. The folder is held open for the program's life
    // and named through that handle instead.
    const int folder = ::open(bytes.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return text;
    return QStringLiteral("/proc/self/fd/%1/").arg(folder);
}

} // namespace

QString withTrailingSeparator(const QString &folder) {
    const QString native = QDir::toNativeSeparators(folder);
    const QChar separator = QDir::separator();
    return native.endsWith(separator) ? native : native + separator;
}

QString ProgramFolder() {
    // The program does not move while it runs.
    static const QString folder = findProgramFolder();
    return folder;
}
