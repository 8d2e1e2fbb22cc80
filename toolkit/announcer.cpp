#include "toolkit/announcer.h"

#include "toolkit/accessibility.h"

Announcer::Announcer(QWidget *parent) : QWidget(parent) {
    installToolkitAccessibility();
    setObjectName(QStringLiteral("announcer"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::announce(const QString &text) {
    // Screen readers speak a notification when it comes into view.
    hide();
    setAccessibleName(text);
    show();
}
