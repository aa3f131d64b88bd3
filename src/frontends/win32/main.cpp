// Stepwise on Windows: the start-up prompts run before the window is shown; then the window waits
// for the student until the program ends. The program reads no command-line options.
#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "app/main_form.h"
#include "frontends/win32/win32_platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HRESULT com = CoInitialize(nullptr);  // for the accessibility objects of the controls

    int status = 0;
    {
        stepwise::win32::Win32Platform platform;
        stepwise::MainForm form(platform);
        platform.connect(form);
        form.load();
        if (!form.ended()) {
            platform.window().show();
            status = platform.window().runMessageLoop();
        }
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return status;
}
