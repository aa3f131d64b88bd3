// Stepwise on Qt 6: the start-up prompts run before the window is shown; then the window waits for
// the student until the program ends.
#include <QApplication>

#include "app/main_form.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    stepwise::qt::QtPlatform platform;
    stepwise::MainForm form(platform);
    platform.connect(form);
    form.load();
    if (form.ended()) return 0;
    platform.window().show();
    return QApplication::exec();
}
