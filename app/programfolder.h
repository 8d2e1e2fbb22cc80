#pragma once

#include <QString>

// The folder of the running program, ending in exactly one separator.
QString ProgramFolder();

// `folder` with the platform's separator appended unless it already ends in one.
QString withTrailingSeparator(const QString &folder);
