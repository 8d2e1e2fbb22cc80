#pragma once

#include <QFont>
#include <QString>
#include <thread>

// The one font every window and document is designed in. It is a Windows font; on Linux it is
// mapped to a font with the same 1:2 Latin-to-Japanese widths, so full-width-blank columns stay
// aligned.
inline const QString kDesignFontFamily = QStringLiteral("ＭＳ ゴシック");

// Starts reading the system's font configuration on a thread of its own. The reading takes a
// good part of start-up and needs nothing from Qt: started before the application is made and
// joined once it is, it runs while the application connects to the display.
std::thread readFontConfigurationAhead();

// Maps the design's font names to the fonts installed here. Call once before any widget exists.
void installFontSubstitutions();

// The family to ask for to show text in `family`: the family itself where it is installed, or else
// its first installed substitute. Asking for a missing family first would make every font load
// sort all the system's fonts for fallbacks before the substitute is tried; the substitute asked
// for by name is found at once, and looks the same.
QString installedFamily(const QString &family); // on the GUI thread

// The design font at a point size, bold or regular.
QFont designFont(double pointSize, bool bold = false);
