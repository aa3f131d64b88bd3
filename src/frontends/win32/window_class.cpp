#include "frontends/win32/window_class.h"

namespace stepwise::win32 {

void registerWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, WindowClassLook look) {
    WNDCLASSEXW cls{};
    if (GetClassInfoExW(instance, name, &cls)) return;
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = proc;
    cls.hInstance = instance;
    cls.hIcon = look.icon;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = look.background;
    cls.lpszClassName = name;
    RegisterClassExW(&cls);
}

}  // namespace stepwise::win32
