#include "toolkit/fonts.h"

#include <fontconfig/fontconfig.h>

#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <algorithm>

std::thread readFontConfigurationAhead() {
    // Fontconfig loads its configuration once per process, safely from any thread; Qt's first
    // font then finds it loaded.
    return std::thread([] { FcInit(); });
}

void installFontSubstitutions() {
    // IPAGothic keeps every half-width glyph exactly half a full-width one, as the design font
    // does; the proportional IPAPGothic would not.
    const QStringList monospacedJapanese{QStringLiteral("IPAGothic"),
                                         QStringLiteral("IPAゴシック")};
    QFont::insertSubstitutions(kDesignFontFamily, monospacedJapanese);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), monospacedJapanese);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic Western"), monospacedJapanese);
}

QString installedFamily(const QString &family) {
    // A handful of names, asked for while the first windows are made.
    static QHash<QString, QString> resolved;
    if (const auto it = resolved.constFind(family); it != resolved.constEnd())
        return *it;
    // Substitutes are kept in lower case; the family is asked for as it is installed.
    const QStringList installed = QFontDatabase::families();
    const auto installedAs = [&installed](const QString &name) {
        const auto it =
            std::find_if(installed.begin(), installed.end(), [&name](const QString &entry) {
                return entry.compare(name, Qt::CaseInsensitive) == 0;
            });
        return it == installed.end() ? QString() : *it;
    };
    QString shown = installedAs(family);
    for (const QString &substitute : QFont::substitutes(family)) {
        if (!shown.isEmpty())
            break;
        shown = installedAs(substitute);
    }
    if (shown.isEmpty())
        shown = family; // found or not as the system decides
    resolved.insert(family, shown);
    return shown;
}

QFont designFont(double pointSize, bool bold) {
    QFont font(installedFamily(kDesignFontFamily));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}
