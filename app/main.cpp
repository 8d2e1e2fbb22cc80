#include <QApplication>

#include "app/examwindow.h"
#include "toolkit/fonts.h"

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    installFontSubstitutions();
    ExamWindow window;
    window.show();
    return app.exec();
}
