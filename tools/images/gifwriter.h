#pragma once

#include <QByteArray>

class QImage;

// Encodes an image of at most 256 distinct opaque colours as a GIF89a file (one frame, one
// global colour table, LZW-compressed). Qt reads GIF but cannot write it. Returns an empty array
// when the image has more colours than a GIF can hold.
QByteArray encodeGif(const QImage &image);
