#pragma once

#include <QString>

// The folder of the running program, ending in exactly one separator. Files named by appending
// to it open in that folder whatever bytes its name is made of: where the name cannot be told
// as text (bytes that are not UTF-8), it is a name of the folder that can.
QString ProgramFolder();

// `folder` with the platform's separator appended unless it already ends in one.
QString withTrailingSeparator(const QString &folder);
