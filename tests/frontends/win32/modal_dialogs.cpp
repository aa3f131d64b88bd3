#include "frontends/win32/modal_dialogs.h"

#include <cstring>

#include "frontends/win32/input_prompt.h"
#include "frontends/win32/message_dialog.h"

namespace stepwise::testing {

namespace {

bool hasClass(HWND window, const wchar_t* name) {
    wchar_t cls[64];
    return GetClassNameW(window, cls, 64) && lstrcmpiW(cls, name) == 0;
}

struct Search {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK collectDialog(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<Search*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window) && hasClass(window, L"#32770")) search->found.push_back(window);
    return TRUE;
}

// The text of a message: the program's message box, or the one static control of a system
// message box that is not the icon.
std::wstring messageBoxText(HWND dialog) {
    if (HWND text = GetDlgItem(dialog, win32::messageTextId)) return windowText(text);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!hasClass(child, L"Static") || (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        std::wstring text = windowText(child);
        if (!text.empty()) return text;
    }
    return {};
}

}  // namespace

std::wstring windowText(HWND window) {
    const LRESULT length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::vector<HWND> openDialogs(DWORD processId) {
    Search search{processId, {}};
    EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

ShownDialog describeDialog(HWND dialog) {
    ShownDialog shown;
    shown.title = windowText(dialog);
    HWND owner = GetWindow(dialog, GW_OWNER);
    shown.owned = owner != nullptr;
    shown.ownerVisible = owner && IsWindowVisible(owner);
    if (HWND entry = GetDlgItem(dialog, win32::promptAnswerId)) {
        shown.kind = L"inputPrompt";
        shown.message = windowText(GetDlgItem(dialog, win32::promptMessageId));
        shown.initialEntry = windowText(entry);
    } else {
        shown.kind = GetDlgItem(dialog, IDCANCEL) ? L"okCancelBox" : L"messageBox";
        shown.message = messageBoxText(dialog);
    }
    return shown;
}

// Puts text on the clipboard, as another program's copy would.
bool putClipboardText(HWND owner, const std::wstring& text) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    bool put = false;
    if (memory) {
        std::memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        put = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
        if (!put) GlobalFree(memory);
    }
    CloseClipboard();
    return put;
}

std::wstring answerDialog(HWND dialog, const DialogAnswer& answer) {
    std::wstring entryText;
    if (HWND entry = GetDlgItem(dialog, win32::promptAnswerId)) {
        SendMessageW(entry, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(answer.typed.c_str()));
        if (!answer.pasted.empty() && putClipboardText(dialog, answer.pasted)) {
            SendMessageW(entry, EM_SETSEL, answer.caret, answer.caret);
            SendMessageW(entry, WM_PASTE, 0, 0);
        }
        entryText = windowText(entry);
    }
    const int buttonId = answer.action == DialogAnswer::Action::Ok ? IDOK : IDCANCEL;
    HWND button = answer.action == DialogAnswer::Action::Close ? nullptr : GetDlgItem(dialog, buttonId);
    // A message box with OK alone has no Cancel button: closing it is its cancel.
    if (button)
        PostMessageW(button, BM_CLICK, 0, 0);
    else
        PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    return entryText;
}

}  // namespace stepwise::testing
