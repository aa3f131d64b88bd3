#pragma once
// The system clipboard for one picture: put as CF_DIB, read back as CF_BITMAP, which Windows makes
// from whichever bitmap format the clipboard holds; and text copied from a text box.
#include <windows.h>

#include <string_view>

#include "platform/picture.h"

namespace stepwise::win32 {

// Replaces the clipboard's content with the picture; false when the clipboard cannot be had or
// the picture is none of this front end's.
bool putClipboardPicture(HWND owner, const Picture& picture);

// Replaces the clipboard's content with the text (CF_UNICODETEXT); false when the clipboard
// cannot be had.
bool putClipboardText(HWND owner, std::wstring_view text);

// The clipboard's picture; empty when it holds none or cannot be had.
Picture clipboardPicture(HWND owner);

}  // namespace stepwise::win32
