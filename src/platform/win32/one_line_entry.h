#pragma once
// Keeps an entry line to one line on every Windows: a pasted text puts only its first line in at
// the caret, as a single-line edit control on Windows does, lone CR and lone LF included.
#include <windows.h>

namespace stepwise::win32 {

void keepToOneLine(HWND entry);

}  // namespace stepwise::win32
