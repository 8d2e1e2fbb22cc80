#include "toolkit/wavfile.h"

#include <QtEndian>
#include <cstring>
#include <sndfile.h>
#include <sys/stat.h>
#include <unistd.h>

#include "toolkit/regularfile.h"

namespace {

// A header whose chunks go on and on is no time signal's; the limit keeps a crafted file from
// making the walk long.
constexpr int maxChunksBeforeData = 256;

bool isChunkId(const char *id) {
    for (int i = 0; i < 4; ++i)
        if (id[i] < 0x20 || id[i] > 0x7e)
            return false;
    return true;
}

// Whether the file starts as a RIFF/WAVE file and its "data" chunk holds every byte its header
// promises. The decoder reads what is there and says nothing, so a file still being copied
// would otherwise play cut short. Chunk ids are printable, so a run of zeros (a file that is
// preallocated, say) ends the walk at its first chunk.
bool headerIsComplete(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return false;
    const qint64 size = info.st_size;
    char riff[12];
    if (::pread(fd, riff, sizeof riff, 0) != qint64(sizeof riff) ||
        std::memcmp(riff, "RIFF", 4) != 0 || std::memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    qint64 pos = sizeof riff;
    for (int chunk = 0; chunk < maxChunksBeforeData && pos + 8 <= size; ++chunk) {
        char header[8];
        if (::pread(fd, header, sizeof header, pos) != qint64(sizeof header) || !isChunkId(header))
            return false;
        const quint32 length = qFromLittleEndian<quint32>(header + 4);
        if (std::memcmp(header, "data", 4) == 0) {
            // Written by a program that could not go back to fill the length in: unknown.
            if (length == 0 || length == 0xFFFFFFFFu)
                return true;
            return pos + 8 + length <= size;
        }
        // Chunks are padded to an even length.
        pos += 8 + qint64(length) + (length & 1);
    }
    return false;
}

bool isPcmOrFloatWav(const SF_INFO &info) {
    const int container = info.format & SF_FORMAT_TYPEMASK;
    if (container != SF_FORMAT_WAV && container != SF_FORMAT_WAVEX)
        return false;
    switch (info.format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_DOUBLE:
        return true;
    default:
        return false;
    }
}

} // namespace

std::unique_ptr<WavFile> WavFile::open(const QString &path) {
    const int fd = openRegularFile(path);
    return fd < 0 ? nullptr : open(fd);
}

std::unique_ptr<WavFile> WavFile::open(int fd) {
    if (!headerIsComplete(fd)) {
        ::close(fd);
        return nullptr;
    }
    SF_INFO info{};
    // The descriptor stays ours: the decoder's own handling of it on a failed open is not to be
    // relied on.
    SNDFILE *file = sf_open_fd(fd, SFM_READ, &info, SF_FALSE);
    if (!file) {
        ::close(fd);
        return nullptr;
    }
    if (!isPcmOrFloatWav(info) || info.frames <= 0 || info.channels < 1 || info.channels > 8 ||
        info.samplerate < 1000 || info.samplerate > 384000) {
        sf_close(file);
        ::close(fd);
        return nullptr;
    }
    return std::unique_ptr<WavFile>(
        new WavFile(file, fd, info.samplerate, info.channels, info.frames));
}

WavFile::~WavFile() {
    sf_close(file_);
    ::close(fd_);
}

qint64 WavFile::read(float *out, qint64 count) {
    const sf_count_t read = sf_readf_float(file_, out, count);
    return read > 0 ? read : 0;
}

bool WavFile::rewind() {
    return sf_seek(file_, 0, SEEK_SET) == 0;
}
