#pragma once

#include <QByteArrayView>
#include <QString>
#include <map>

// What a screen reader says for each of the paper's figures, read from the UTF-8 text beside the
// figures' sources: a line "[caption]" starts a figure's description, the lines after it up to
// the next caption are its text, and lines starting with "#" are comments. Blank lines at either
// end of a description are dropped.
std::map<QString, QString> readFigureDescriptions(QByteArrayView utf8);

// A paper's built-in descriptions, read from the resource at path the first time they are asked
// for, keyed by the figures' tab captions ("図１" …).
const std::map<QString, QString> &figureDescriptions(const QString &path);
