#pragma once
// Text between the core and the W functions of Windows. Both are UTF-16 and both break lines with
// CR LF, so the code units pass unchanged; only line breaks other than CR LF are made CR LF, since
// an edit control breaks a line at CR LF alone (withCrLfBreaks in platform/text.h).
#include <windows.h>

#include <string>
#include <string_view>

#include "format/text.h"

namespace stepwise::win32 {

std::wstring toWide(TextView text);
Text fromWide(std::wstring_view text);

// The whole text of a window: an edit control's text, a button's caption.
std::wstring windowText(HWND window);

}  // namespace stepwise::win32
