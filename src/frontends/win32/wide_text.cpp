#include "frontends/win32/wide_text.h"

namespace stepwise::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions of Windows take UTF-16");

std::wstring toWide(TextView text) { return std::wstring(text.begin(), text.end()); }

Text fromWide(std::wstring_view text) { return Text(text.begin(), text.end()); }

std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace stepwise::win32
