#include "platform/win32/input_prompt.h"

#include <cstdint>
#include <vector>

namespace stepwise::win32 {

namespace {

// Layout in dialog units.
constexpr short dialogWidth = 260;
constexpr short margin = 7;
constexpr short messageWidth = dialogWidth - 2 * margin;
constexpr short entryHeight = 14;
constexpr short buttonWidth = 50;
constexpr short buttonHeight = 14;
constexpr short gap = 6;

// Builds a DLGTEMPLATE with its items, aligned as DialogBoxIndirect expects.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const wchar_t* title, WORD points, const wchar_t* font) {
        put(DLGTEMPLATE{style, 0, 0, 0, 0, width, height});
        putWord(0);  // no menu
        putWord(0);  // the standard dialog class
        putText(title);
        putWord(points);
        putText(font);
    }

    // An item of a predefined class (0x0080 button, 0x0081 edit, 0x0082 static).
    void add(WORD classAtom, DWORD style, short x, short y, short width, short height, WORD id, const wchar_t* text) {
        align(4);
        put(DLGITEMTEMPLATE{style | WS_CHILD | WS_VISIBLE, 0, x, y, width, height, id});
        putWord(0xFFFF);
        putWord(classAtom);
        putText(text);
        putWord(0);  // no creation data
        auto* header = reinterpret_cast<DLGTEMPLATE*>(bytes_.data());
        ++header->cdit;
    }

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    template <class T>
    void put(const T& value) {
        const auto* raw = reinterpret_cast<const std::uint8_t*>(&value);
        bytes_.insert(bytes_.end(), raw, raw + sizeof value);
    }
    void putWord(WORD w) { put(w); }
    void putText(const wchar_t* text) {
        for (; *text; ++text) putWord(static_cast<WORD>(*text));
        putWord(0);
    }
    void align(std::size_t to) {
        while (bytes_.size() % to) bytes_.push_back(0);
    }

    std::vector<std::uint8_t> bytes_;  // heap storage, so the template starts DWORD-aligned
};

constexpr WORD buttonClass = 0x0080, editClass = 0x0081, staticClass = 0x0082;

struct PromptState {
    const std::wstring* message;
    std::optional<std::wstring> answer;
};

void moveBy(HWND dialog, int id, int dy) {
    HWND item = GetDlgItem(dialog, id);
    RECT r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(item, nullptr, r.left, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Grows the message area to the height its wrapped text needs and moves what lies below it.
void fitMessage(HWND dialog, const std::wstring& message) {
    HWND label = GetDlgItem(dialog, promptMessageId);
    RECT area;
    GetWindowRect(label, &area);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&area), 2);
    RECT needed{0, 0, area.right - area.left, 0};
    HDC dc = GetDC(label);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(dc, message.c_str(), -1, &needed, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    SelectObject(dc, oldFont);
    ReleaseDC(label, dc);
    const int grow = (needed.bottom - needed.top) - (area.bottom - area.top);
    if (grow <= 0) return;
    SetWindowPos(label, nullptr, 0, 0, area.right - area.left, needed.bottom - needed.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : {promptAnswerId, IDOK, IDCANCEL}) moveBy(dialog, id, grow);
    RECT frame;
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void centre(HWND dialog) {
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT around;
    if (!owner || !IsWindowVisible(owner) || !GetWindowRect(owner, &around))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &around, 0);
    RECT frame;
    GetWindowRect(dialog, &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(dialog, nullptr, around.left + (around.right - around.left - width) / 2,
                 around.top + (around.bottom - around.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK promptProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<PromptState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
        case WM_INITDIALOG:
            state = reinterpret_cast<PromptState*>(lParam);
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            SetDlgItemTextW(dialog, promptMessageId, state->message->c_str());
            SendDlgItemMessageW(dialog, promptAnswerId, EM_SETLIMITTEXT, 0, 0);
            fitMessage(dialog, *state->message);
            centre(dialog);
            SetFocus(GetDlgItem(dialog, promptAnswerId));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                HWND entry = GetDlgItem(dialog, promptAnswerId);
                std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(entry)) + 1, L'\0');
                typed.resize(static_cast<std::size_t>(GetWindowTextW(entry, typed.data(), int(typed.size()))));
                state->answer = std::move(typed);
                EndDialog(dialog, IDOK);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

std::optional<std::wstring> askForText(HWND owner, const std::wstring& title, const std::wstring& message) {
    const short messageTop = margin, messageHeight = 8;
    const short entryTop = messageTop + messageHeight + gap;
    const short buttonsTop = entryTop + entryHeight + gap;
    const short height = buttonsTop + buttonHeight + margin;
    DialogTemplate layout(DS_SHELLFONT | DS_MODALFRAME | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                          dialogWidth, height, title.c_str(), 8, L"MS Shell Dlg");
    layout.add(staticClass, SS_LEFT | SS_NOPREFIX, margin, messageTop, messageWidth, messageHeight, promptMessageId, L"");
    layout.add(editClass, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, margin, entryTop, messageWidth, entryHeight,
               promptAnswerId, L"");
    const short cancelLeft = dialogWidth - margin - buttonWidth;
    layout.add(buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, cancelLeft - gap - buttonWidth, buttonsTop, buttonWidth,
               buttonHeight, IDOK, L"OK");
    layout.add(buttonClass, BS_PUSHBUTTON | WS_TABSTOP, cancelLeft, buttonsTop, buttonWidth, buttonHeight, IDCANCEL,
               L"Cancel");

    PromptState state{&message, std::nullopt};
    const auto instance = GetModuleHandleW(nullptr);
    if (DialogBoxIndirectParamW(instance, layout.get(), owner, promptProc, reinterpret_cast<LPARAM>(&state)) != IDOK)
        return std::nullopt;
    return state.answer;
}

}  // namespace stepwise::win32
