#include "frontends/win32/input_prompt.h"

#include "frontends/win32/dialog_template.h"
#include "frontends/win32/one_line_entry.h"
#include "frontends/win32/wide_text.h"

namespace stepwise::win32 {

namespace {

constexpr short entryHeight = 14;  // dialog units

struct PromptState {
    const std::wstring* message;
    std::optional<std::wstring> answer;
};

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
    growItem(dialog, label, grow, {promptAnswerId, IDOK, IDCANCEL});
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
            if (LOWORD(wParam) == promptAnswerId && HIWORD(wParam) == EN_CHANGE) {
                keepFirstLine(reinterpret_cast<HWND>(lParam));
                return TRUE;
            }
            if (LOWORD(wParam) == IDOK) {
                state->answer = windowText(GetDlgItem(dialog, promptAnswerId));
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
    const short messageTop = dialogMargin, messageHeight = 8;
    const short entryTop = messageTop + messageHeight + dialogGap;
    const short buttonsTop = entryTop + entryHeight + dialogGap;
    const short height = buttonsTop + dialogButtonHeight + dialogMargin;
    DialogTemplate layout(DS_SHELLFONT | DS_MODALFRAME | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                          dialogWidth, height, title.c_str(), 8, L"MS Shell Dlg");
    layout.add(staticClass, SS_LEFT | SS_NOPREFIX, dialogMargin, messageTop, dialogTextWidth, messageHeight, promptMessageId, L"");
    layout.add(editClass, ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, dialogMargin, entryTop, dialogTextWidth, entryHeight,
               promptAnswerId, L"");
    const short cancelLeft = dialogWidth - dialogMargin - dialogButtonWidth;
    layout.add(buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, cancelLeft - dialogGap - dialogButtonWidth, buttonsTop, dialogButtonWidth,
               dialogButtonHeight, IDOK, L"OK");
    layout.add(buttonClass, BS_PUSHBUTTON | WS_TABSTOP, cancelLeft, buttonsTop, dialogButtonWidth, dialogButtonHeight, IDCANCEL,
               L"Cancel");

    PromptState state{&message, std::nullopt};
    const auto instance = GetModuleHandleW(nullptr);
    if (DialogBoxIndirectParamW(instance, layout.get(), owner, promptProc, reinterpret_cast<LPARAM>(&state)) != IDOK)
        return std::nullopt;
    return state.answer;
}

}  // namespace stepwise::win32
