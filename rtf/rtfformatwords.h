#pragma once

#include "rtf/rtfkeywords.h"
#include "rtf/rtfproperties.h"

// Applies a control word that sets a character or paragraph property. Returns false for any
// other word. Parameters out of any sensible range are clamped.
bool applyFormatWord(RtfKeyword keyword, bool hasParam, int param, RtfCharProps &chars,
                     RtfParaProps &para);

// The character a control word stands for, such as a tab for \tab, or 0 for none.
char16_t characterForWord(RtfKeyword keyword);
