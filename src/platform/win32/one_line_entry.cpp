#include "platform/win32/one_line_entry.h"

#include <commctrl.h>

#include <string>

namespace stepwise::win32 {

namespace {

constexpr UINT_PTR subclassId = 0x534C;  // one subclass of this kind per control

std::wstring clipboardText(HWND owner) {
    std::wstring text;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(owner)) return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void pasteFirstLine(HWND entry) {
    if (GetWindowLongW(entry, GWL_STYLE) & ES_READONLY) return;
    std::wstring text = clipboardText(entry);
    if (const std::size_t lineBreak = text.find_first_of(L"\r\n"); lineBreak != std::wstring::npos)
        text.resize(lineBreak);
    SendMessageW(entry, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT CALLBACK oneLineProc(HWND entry, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_PASTE) {
        pasteFirstLine(entry);
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(entry, oneLineProc, subclassId);
    return DefSubclassProc(entry, message, wParam, lParam);
}

}  // namespace

void keepToOneLine(HWND entry) { SetWindowSubclass(entry, oneLineProc, subclassId, 0); }

}  // namespace stepwise::win32
