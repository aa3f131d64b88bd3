#pragma once
// Names that screen readers announce for the window's controls. Windows would name an edit
// control after the label before it, and a picture box not at all; each control here answers
// with the name the control table gives it and otherwise behaves as the standard object of its kind.
#include <windows.h>

#include <string>

namespace stepwise::win32 {

void setAccessibleName(HWND control, std::wstring name);

}  // namespace stepwise::win32
