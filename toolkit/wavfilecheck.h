#pragma once

#include <QString>

// Whether a file is a complete PCM WAV file: a RIFF/WAVE header, a sensible "fmt " chunk and a
// "data" chunk whose samples are all there. Qt's sample loader waits for ever on a file whose
// data ends early, and then blocks every later sound effect's teardown, so such a file must
// never reach it.
bool isCompletePcmWav(const QString &path);
