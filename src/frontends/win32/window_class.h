#pragma once
// Registers a window class of the program's once per process.
#include <windows.h>

namespace stepwise::win32 {

struct WindowClassLook {
    HICON icon = nullptr;        // none: the system's default
    HBRUSH background = nullptr; // none: the window paints its whole background itself
};

void registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, WindowClassLook look = {});

}  // namespace stepwise::win32
