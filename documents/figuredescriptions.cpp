#include "documents/figuredescriptions.h"

#include <QFile>
#include <QStringList>

std::map<QString, QString> readFigureDescriptions(QByteArrayView utf8) {
    std::map<QString, QString> descriptions;
    QString caption;
    QStringList lines;
    auto finish = [&] {
        while (!lines.isEmpty() && lines.first().trimmed().isEmpty())
            lines.removeFirst();
        while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
            lines.removeLast();
        if (!caption.isEmpty())
            descriptions[caption] = lines.join(QLatin1Char('\n'));
        lines.clear();
    };
    const QStringList all = QString::fromUtf8(utf8).split(QLatin1Char('\n'));
    for (QString line : all) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            finish();
            caption = line.mid(1, line.size() - 2);
        } else if (!caption.isEmpty()) {
            lines.append(line);
        }
    }
    finish();
    return descriptions;
}

const std::map<QString, QString> &figureDescriptions(const QString &path) {
    static std::map<QString, std::map<QString, QString>> read;
    auto it = read.find(path);
    if (it == read.end()) {
        QFile file(path);
        it = read.emplace(path, file.open(QIODevice::ReadOnly)
                                    ? readFigureDescriptions(file.readAll())
                                    : std::map<QString, QString>())
                 .first;
    }
    return it->second;
}
