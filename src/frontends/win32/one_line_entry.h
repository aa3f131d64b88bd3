#pragma once
// Keeps an entry line to one line on every Windows, as a single-line edit control on Windows
// treats a paste: of a text put in with line breaks (lone CR and lone LF included) only its first
// line stays, and what stood after the caret stays too.
#include <windows.h>

namespace stepwise::win32 {

// Call on each EN_CHANGE of the entry line.
void keepFirstLine(HWND entry);

}  // namespace stepwise::win32
