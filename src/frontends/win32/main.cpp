// Stepwise on Windows: stepwise.exe [FILE]. The assignment file, when one is named (or dropped on
// the program), is read and checked first; then the start-up prompts run before the window is
// shown, and the window waits for the student until the program ends.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <filesystem>
#include <vector>

#include "app/control_table.h"
#include "app/main_form.h"
#include "frontends/common/lesson_arguments.h"
#include "frontends/win32/message_dialog.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_platform.h"

namespace {

// The arguments after the program's name, in UTF-16 as Windows keeps them, so that any file name
// reaches the program whole.
std::vector<std::filesystem::path> commandLineArguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::filesystem::path> arguments;
    if (!words) return arguments;
    for (int i = 1; i < count; ++i) arguments.emplace_back(words[i]);
    LocalFree(words);
    return arguments;
}

void showUsageError(const stepwise::Text& problem) {
    using namespace stepwise;
    win32::showMessageDialog(nullptr, win32::toWide(programTitle),
                             win32::toWide(u"stepwise: " + problem + u"\r\n\r\n" + Text(lessonUsage)),
                             win32::MessageButtons::ok);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const stepwise::LessonArguments arguments = stepwise::lessonArguments(commandLineArguments());
    if (!arguments.problem.empty()) {
        showUsageError(arguments.problem);
        return 2;
    }
    const HRESULT com = CoInitialize(nullptr);  // for the accessibility objects of the controls

    int status = 0;
    {
        stepwise::win32::Win32Platform platform;
        stepwise::MainForm form(platform);
        platform.connect(form);
        if (arguments.assignmentFile) form.useAssignmentFile(*arguments.assignmentFile);
        form.load();
        if (form.assignmentRefused()) {
            status = 1;
        } else if (!form.ended()) {
            platform.window().show();
            status = platform.window().runMessageLoop();
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return status;
}
