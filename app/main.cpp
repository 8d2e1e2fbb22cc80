#include <QApplication>

#include "app/examwindow.h"
#include "toolkit/accessibility.h"
#include "toolkit/fonts.h"

int main(int argc, char *argv[]) {
    std::thread fontConfiguration = readFontConfigurationAhead();
    QApplication app(argc, argv);
    fontConfiguration.join();
    installFontSubstitutions();
    installToolkitAccessibility();
    ExamWindow window;
    window.show();
    return app.exec();
}
