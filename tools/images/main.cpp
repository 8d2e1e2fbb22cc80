// drawimages CONTENT_DIR
//
// Draws the program's house pictures into the content folder: background.gif and the
// background_tile.png it repeats, mark.png, icon.png and icon.svg. To remake every generated
// document and image at once, run from the repository root:
//
//     tools/make-content.sh

#include "tools/images/gifwriter.h"
#include "tools/images/housedrawings.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>
#include <QTextStream>

namespace {

bool save(const QString &path, const QByteArray &bytes) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    QTextStream(stderr) << path << ": " << file.errorString() << '\n';
    return false;
}

QByteArray png(const QImage &image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

int main(int argc, char *argv[]) {
    // Drawing text needs a GUI application, but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: drawimages CONTENT_DIR\n";
        return 2;
    }
    const QDir content(args[1]);
    const QByteArray background = encodeGif(drawBackground());
    if (background.isEmpty()) {
        QTextStream(stderr) << "the background has more colours than a GIF holds\n";
        return 1;
    }
    const bool saved =
        save(content.filePath(QStringLiteral("background.gif")), background) &&
        save(content.filePath(QStringLiteral("background_tile.png")), png(drawBackgroundTile())) &&
        save(content.filePath(QStringLiteral("mark.png")), png(drawMark())) &&
        save(content.filePath(QStringLiteral("icon.png")), png(drawIcon())) &&
        save(content.filePath(QStringLiteral("icon.svg")), iconSvg());
    return saved ? 0 : 1;
}
