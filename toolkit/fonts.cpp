#include "toolkit/fonts.h"

#include <QStringList>

void installFontSubstitutions() {
    // IPAGothic keeps every half-width glyph exactly half a full-width one, as the design font
    // does; the proportional IPAPGothic would not.
    const QStringList monospacedJapanese{QStringLiteral("IPAGothic"),
                                         QStringLiteral("IPAゴシック")};
    QFont::insertSubstitutions(kDesignFontFamily, monospacedJapanese);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), monospacedJapanese);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic Western"), monospacedJapanese);
}

QFont designFont(double pointSize, bool bold) {
    QFont font(kDesignFontFamily);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}
