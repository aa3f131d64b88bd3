#include "frontends/win32/one_line_entry.h"

#include <string>

#include "frontends/win32/wide_text.h"

namespace stepwise::win32 {

namespace {

void removeRange(HWND entry, std::size_t from, std::size_t to) {
    SendMessageW(entry, EM_SETSEL, from, to);
    SendMessageW(entry, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
}

}  // namespace

void keepFirstLine(HWND entry) {
    const std::wstring text = windowText(entry);
    const std::size_t lineBreak = text.find_first_of(L"\r\n");
    if (lineBreak == std::wstring::npos) return;
    // The line never holds a break, so the break came with the text just put in, which ends at the
    // caret: that text's further lines go, the text after the caret stays.
    DWORD selectionStart = 0, caret = 0;
    SendMessageW(entry, EM_GETSEL, reinterpret_cast<WPARAM>(&selectionStart), reinterpret_cast<LPARAM>(&caret));
    removeRange(entry, lineBreak, caret > lineBreak ? caret : text.size());
    const std::wstring rest = windowText(entry);
    if (const std::size_t more = rest.find_first_of(L"\r\n"); more != std::wstring::npos)
        removeRange(entry, more, rest.size());
    SendMessageW(entry, EM_SETSEL, lineBreak, lineBreak);
}

}  // namespace stepwise::win32
