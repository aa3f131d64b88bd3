#include "frontends/win32/dialog_template.h"

namespace stepwise::win32 {

DialogTemplate::DialogTemplate(DWORD style, short width, short height, const wchar_t* title, WORD points,
                               const wchar_t* font) {
    put(DLGTEMPLATE{style, 0, 0, 0, 0, width, height});
    putWord(0);  // no menu
    putWord(0);  // the standard dialog class
    putText(title);
    putWord(points);
    putText(font);
}

void DialogTemplate::add(WORD classAtom, DWORD style, short x, short y, short width, short height, WORD id,
                         const wchar_t* text) {
    align(4);
    put(DLGITEMTEMPLATE{style | WS_CHILD | WS_VISIBLE, 0, x, y, width, height, id});
    putWord(0xFFFF);
    putWord(classAtom);
    putText(text);
    putWord(0);  // no creation data
    auto* header = reinterpret_cast<DLGTEMPLATE*>(bytes_.data());
    ++header->cdit;
}

void DialogTemplate::putText(const wchar_t* text) {
    for (; *text; ++text) putWord(static_cast<WORD>(*text));
    putWord(0);
}

void DialogTemplate::align(std::size_t to) {
    while (bytes_.size() % to) bytes_.push_back(0);
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

void moveBy(HWND dialog, int id, int dy) {
    HWND item = GetDlgItem(dialog, id);
    if (!item) return;
    RECT r;
    GetWindowRect(item, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(item, nullptr, r.left, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void growItem(HWND dialog, HWND item, int grow, std::initializer_list<int> itemsBelow) {
    if (grow <= 0) return;
    RECT area;
    GetWindowRect(item, &area);
    SetWindowPos(item, nullptr, 0, 0, area.right - area.left, area.bottom - area.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    for (int id : itemsBelow) moveBy(dialog, id, grow);
    RECT frame;
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + grow,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace stepwise::win32
