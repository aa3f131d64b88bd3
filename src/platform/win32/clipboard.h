#pragma once
// The system clipboard for one picture: put as CF_DIB, read back as CF_BITMAP, which Windows makes
// from whichever bitmap format the clipboard holds.
#include <windows.h>

#include "platform/picture.h"

namespace stepwise::win32 {

// Replaces the clipboard's content with the picture; false when the clipboard cannot be had or
// the picture is none of this front end's.
bool putClipboardPicture(HWND owner, const Picture& picture);

// The clipboard's picture; empty when it holds none or cannot be had.
Picture clipboardPicture(HWND owner);

}  // namespace stepwise::win32
