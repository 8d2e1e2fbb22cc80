#include "toolkit/latecontent.h"

#include <QResource>

// The compressed resource bundle, built from content/latecontent.qrc.
extern const unsigned char lateContentRcc[];

void registerLateContent() {
    static const bool registered = QResource::registerResource(lateContentRcc);
    Q_UNUSED(registered);
}
