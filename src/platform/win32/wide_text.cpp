#include "platform/win32/wide_text.h"

namespace stepwise::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the W functions of Windows take UTF-16");

std::wstring toWide(TextView text) { return std::wstring(text.begin(), text.end()); }

Text fromWide(std::wstring_view text) { return Text(text.begin(), text.end()); }

}  // namespace stepwise::win32
