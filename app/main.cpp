#include <QApplication>

#include "app/examwindow.h"
#include "toolkit/accessibility.h"
#include "toolkit/fonts.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    installFontSubstitutions();
    installToolkitAccessibility();
    ExamWindow window;
    window.show();
    return app.exec();
}
