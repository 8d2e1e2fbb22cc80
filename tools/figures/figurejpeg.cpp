#include "tools/figures/figurejpeg.h"

#include <QBuffer>
#include <QImageWriter>

QByteArray encodeFigureJpeg(const QImage &image) {
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(92);
    writer.setProgressiveScanWrite(false);
    writer.setOptimizedWrite(false);
    if (!writer.write(image))
        return {};
    return jpeg;
}
