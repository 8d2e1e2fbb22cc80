#include "app/programfolder.h"

#include <QCoreApplication>
#include <QDir>

QString withTrailingSeparator(const QString &folder) {
    const QString native = QDir::toNativeSeparators(folder);
    const QChar separator = QDir::separator();
    return native.endsWith(separator) ? native : native + separator;
}

QString ProgramFolder() {
    // applicationDirPath resolves symbolic links, so a link to the program in another folder
    // still finds the files that lie beside the real one.
    return withTrailingSeparator(QCoreApplication::applicationDirPath());
}
