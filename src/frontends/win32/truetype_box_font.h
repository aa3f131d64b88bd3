#pragma once
// The large boxes use "System", a raster font that holds the characters of Windows-1252 alone. A
// display box showing any other character (a square root, Greek, Chinese) uses this TrueType face
// of the same size and weight instead, for as long as such a character is on show.
#include <windows.h>

#include <string>

#include "frontends/win32/dpi_scale.h"

namespace stepwise::win32 {

// "Segoe UI", or "Tahoma" where Segoe UI is not installed.
std::wstring trueTypeBoxFace();

// The face above at the large boxes' size (9.75 point) and weight (bold).
HFONT createTrueTypeBoxFont(DpiScale scale);

}  // namespace stepwise::win32
