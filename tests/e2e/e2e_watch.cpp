// e2e_watch X Y W H SECONDS
//
// Watches a region of the X screen for SECONDS and prints, one per line, the real time (epoch
// seconds) at which its pixels changed, as the midpoint of the two grabs around the change,
// followed by half the gap between them. Screenshots through ImageMagick take half a second
// each; grabbing here takes a few milliseconds, which is what timing a display change needs.

#include <QDateTime>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QTextStream>
#include <QThread>

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    QTextStream out(stdout);
    if (argc != 6) {
        QTextStream(stderr) << "usage: e2e_watch X Y W H SECONDS\n";
        return 2;
    }
    const int x = QByteArray(argv[1]).toInt();
    const int y = QByteArray(argv[2]).toInt();
    const int w = QByteArray(argv[3]).toInt();
    const int h = QByteArray(argv[4]).toInt();
    const double seconds = QByteArray(argv[5]).toDouble();
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 2;

    auto grab = [&](qint64 &atMs) {
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        QImage image = screen->grabWindow(0, x, y, w, h).toImage();
        atMs = (before + QDateTime::currentMSecsSinceEpoch()) / 2;
        return image;
    };
    qint64 previousAt = 0;
    QImage previous = grab(previousAt);
    QElapsedTimer elapsed;
    elapsed.start();
    while (elapsed.elapsed() < seconds * 1000) {
        QThread::msleep(5);
        qint64 at = 0;
        const QImage image = grab(at);
        if (image != previous) {
            out << QString::asprintf("%.3f %.3f\n", (previousAt + at) / 2000.0,
                                     (at - previousAt) / 2000.0);
            out.flush();
        }
        previous = image;
        previousAt = at;
    }
    return 0;
}
