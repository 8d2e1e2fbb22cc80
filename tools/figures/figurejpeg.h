#pragma once

#include <QByteArray>
#include <QImage>

// A figure as the program ships it: a baseline (not progressive) 8-bit JPEG at quality 92, the
// simplest kind every picture box can show. Empty when the image cannot be encoded.
QByteArray encodeFigureJpeg(const QImage &image);
