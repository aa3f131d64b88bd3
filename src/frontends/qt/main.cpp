// Stepwise on Qt 6: stepwise [FILE]. The assignment file, when one is named, is read and checked
// first; then the start-up prompts run before the window is shown, and the window waits for the
// student until the program ends. --version and --help print and exit before Qt starts.
#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "app/main_form.h"
#include "frontends/common/lesson_arguments.h"
#include "frontends/qt/command_line.h"
#include "frontends/qt/qt_platform.h"

namespace {

QStringList argumentList(int argc, char* argv[]) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (const auto text = stepwise::qt::informationRequested(argumentList(argc, argv))) {
        std::fputs(text->toLocal8Bit().constData(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    // Qt has taken its own options out of argc and argv; what is left is the lesson's.
    const stepwise::LessonArguments arguments =
        stepwise::lessonArguments(std::vector<std::filesystem::path>(argv + 1, argv + argc));
    if (!arguments.problem.empty()) {
        std::fputs(stepwise::qt::usageErrorText(arguments.problem).toLocal8Bit().constData(), stderr);
        return 2;
    }
    // The desktop entry and the installed icon share the application's id; desktops match the
    // window to its entry by it.
    QGuiApplication::setDesktopFileName(QStringLiteral(STEPWISE_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(STEPWISE_APP_ID)));

    stepwise::qt::QtPlatform platform;
    stepwise::MainForm form(platform);
    platform.connect(form);
    if (arguments.assignmentFile) form.useAssignmentFile(*arguments.assignmentFile);
    form.load();
    if (form.ended()) return form.assignmentRefused() ? 1 : 0;
    platform.window().show();
    return QApplication::exec();
}
