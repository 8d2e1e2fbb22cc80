#include "toolkit/wavfilecheck.h"

#include <QFile>
#include <QtEndian>

namespace {

struct ChunkHeader {
    QByteArray id;
    quint32 size = 0;
};

bool readChunkHeader(QFile &file, ChunkHeader &chunk) {
    const QByteArray bytes = file.read(8);
    if (bytes.size() != 8)
        return false;
    chunk.id = bytes.left(4);
    chunk.size = qFromLittleEndian<quint32>(bytes.constData() + 4);
    return true;
}

bool isSensibleFormat(const QByteArray &fmt) {
    if (fmt.size() < 16)
        return false;
    const char *p = fmt.constData();
    const quint16 tag = qFromLittleEndian<quint16>(p);
    const quint16 channels = qFromLittleEndian<quint16>(p + 2);
    const quint32 rate = qFromLittleEndian<quint32>(p + 4);
    const quint16 blockAlign = qFromLittleEndian<quint16>(p + 12);
    const quint16 bits = qFromLittleEndian<quint16>(p + 14);
    constexpr quint16 pcm = 1;
    constexpr quint16 extensible = 0xFFFE;
    if (tag != pcm && tag != extensible)
        return false;
    if (channels < 1 || channels > 8 || rate < 1000 || rate > 384000)
        return false;
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    return blockAlign == channels * (bits / 8);
}

} // namespace

bool isCompletePcmWav(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray riff = file.read(12);
    if (riff.size() != 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return false;

    bool formatSeen = false;
    ChunkHeader chunk;
    while (readChunkHeader(file, chunk)) {
        const qint64 left = file.size() - file.pos();
        if (chunk.id == "data")
            return formatSeen && chunk.size > 0 && chunk.size <= left;
        // An odd-sized chunk ahead of the samples is valid, padded to an even length, but Qt's
        // decoder loses its place on it and never finishes loading.
        if (chunk.size > left || chunk.size % 2)
            return false;
        if (chunk.id == "fmt ") {
            if (formatSeen || chunk.size > 1024 || !isSensibleFormat(file.read(chunk.size)))
                return false;
            formatSeen = true;
        } else if (!file.skip(chunk.size)) {
            return false;
        }
    }
    return false;
}
