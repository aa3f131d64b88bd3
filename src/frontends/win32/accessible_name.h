#pragma once
// What screen readers announce for the window's controls. Windows would name an edit control after
// the label before it, and a picture box not at all; each control here answers with the name the
// control table gives it, with its description and shortcut, and, for a picture box, the role of an
// image; otherwise it behaves as the standard object of its kind.
#include <windows.h>

#include <functional>
#include <string>

namespace stepwise::win32 {

struct AccessibleInfo {
    std::wstring name;
    // Asked each time a screen reader asks, so that it tells what the control holds now; may be empty.
    std::function<std::wstring()> description;
    std::wstring keyboardShortcut;  // "" for none
    LONG role = 0;                  // a ROLE_SYSTEM_ value; 0 keeps the standard object's role
};

void setAccessibleInfo(HWND control, AccessibleInfo info);
inline void setAccessibleName(HWND control, std::wstring name) {
    setAccessibleInfo(control, AccessibleInfo{std::move(name), {}, {}, 0});
}

// Tells screen readers that the control's description has changed.
void announceDescriptionChange(HWND control);

}  // namespace stepwise::win32
