#include "frontends/win32/message_dialog.h"

#include <algorithm>

#include "frontends/win32/dialog_template.h"

namespace stepwise::win32 {

namespace {

// Grows the message's box to the lines its wrapped text takes, up to two thirds of the screen.
void fitText(HWND dialog) {
    HWND text = GetDlgItem(dialog, messageTextId);
    RECT area;
    GetClientRect(text, &area);
    HDC dc = GetDC(text);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, oldFont);
    ReleaseDC(text, dc);
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    const int lines = static_cast<int>(SendMessageW(text, EM_GETLINECOUNT, 0, 0));
    const int needed = std::min<int>(lines * metrics.tmHeight, (workArea.bottom - workArea.top) * 2 / 3);
    growItem(dialog, text, needed - (area.bottom - area.top), {IDOK, IDCANCEL});
}

INT_PTR CALLBACK messageProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            SetDlgItemTextW(dialog, messageTextId, reinterpret_cast<const std::wstring*>(lParam)->c_str());
            fitText(dialog);
            centre(dialog);
            SetFocus(GetDlgItem(dialog, IDOK));
            return FALSE;  // the focus is set
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, LOWORD(wParam));
                return TRUE;
            }
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

bool showMessageDialog(HWND owner, const std::wstring& title, const std::wstring& message, MessageButtons buttons) {
    const short textTop = dialogMargin, textHeight = 8;
    const short buttonsTop = textTop + textHeight + dialogGap;
    const short height = buttonsTop + dialogButtonHeight + dialogMargin;
    DialogTemplate layout(DS_SHELLFONT | DS_MODALFRAME | DS_SETFOREGROUND | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                          dialogWidth, height, title.c_str(), 8, L"MS Shell Dlg");
    layout.add(editClass, ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, dialogMargin, textTop, dialogTextWidth, textHeight,
               messageTextId, L"");
    const short lastLeft = dialogWidth - dialogMargin - dialogButtonWidth;
    if (buttons == MessageButtons::okCancel) {
        layout.add(buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, lastLeft - dialogGap - dialogButtonWidth, buttonsTop, dialogButtonWidth,
                   dialogButtonHeight, IDOK, L"OK");
        layout.add(buttonClass, BS_PUSHBUTTON | WS_TABSTOP, lastLeft, buttonsTop, dialogButtonWidth, dialogButtonHeight, IDCANCEL,
                   L"Cancel");
    } else {
        layout.add(buttonClass, BS_DEFPUSHBUTTON | WS_TABSTOP, lastLeft, buttonsTop, dialogButtonWidth, dialogButtonHeight, IDOK,
                   L"OK");
    }
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), layout.get(), owner, messageProc,
                                   reinterpret_cast<LPARAM>(&message)) == IDOK;
}

}  // namespace stepwise::win32
