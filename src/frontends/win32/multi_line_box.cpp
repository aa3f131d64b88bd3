#include "frontends/win32/multi_line_box.h"

#include <commctrl.h>

#include "frontends/win32/clipboard.h"
#include "frontends/win32/wide_text.h"

namespace stepwise::win32 {

namespace {

constexpr UINT_PTR subclassId = 0x534C;  // one subclass of this kind per control

// Measures text in the box's font against the width of the box's formatting rectangle, the width
// its word wrap fills.
class BoxMeasure {
public:
    explicit BoxMeasure(HWND edit) : edit_(edit), dc_(GetDC(edit)) {
        if (dc_) oldFont_ = SelectObject(dc_, reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)));
        RECT format{};
        SendMessageW(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
        width_ = format.right - format.left;
    }
    ~BoxMeasure() {
        if (!dc_) return;
        SelectObject(dc_, oldFont_);
        ReleaseDC(edit_, dc_);
    }
    BoxMeasure(const BoxMeasure&) = delete;
    BoxMeasure& operator=(const BoxMeasure&) = delete;

    std::size_t fit(std::wstring_view text) const {
        int fits = 0;
        SIZE size{};
        if (!dc_ || width_ <= 0 ||
            !GetTextExtentExPointW(dc_, text.data(), static_cast<int>(text.size()), width_, &fits, nullptr, &size))
            return text.size();  // nothing to measure with: the control wraps the paragraph itself
        return static_cast<std::size_t>(fits);
    }

private:
    HWND edit_;
    HDC dc_;
    HGDIOBJ oldFont_ = nullptr;
    int width_ = 0;
};

}  // namespace

void replaceAllUndoably(HWND edit, const std::wstring& text) {
    // Replacing the whole selection with the undo flag set: the edit control keeps the old text
    // for its undo (Ctrl+Z).
    SendMessageW(edit, EM_SETSEL, 0, -1);
    SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

MultiLineBox::MultiLineBox(HWND edit) : edit_(edit) {
    if (edit_) SetWindowSubclass(edit_, boxProc, subclassId, reinterpret_cast<DWORD_PTR>(this));
}

MultiLineBox::~MultiLineBox() {
    if (edit_) RemoveWindowSubclass(edit_, boxProc, subclassId);
}

std::wstring MultiLineBox::shownText(std::wstring_view text) {
    const BoxMeasure measure(edit_);
    return breaks_.show(text, [&measure](std::wstring_view part) { return measure.fit(part); });
}

std::wstring MultiLineBox::text() { return edit_ ? breaks_.read(windowText(edit_)) : std::wstring{}; }

void MultiLineBox::setText(std::wstring_view text) {
    if (edit_) SetWindowTextW(edit_, shownText(text).c_str());
}

void MultiLineBox::replaceTextUndoably(std::wstring_view text) {
    if (!edit_) return;
    replaceAllUndoably(edit_, shownText(text));
}

void MultiLineBox::focusAt(std::size_t textPosition) {
    if (!edit_) return;
    const WPARAM at = breaks_.shownPosition(windowText(edit_), textPosition);
    // The caret first, so that a screen reader reads from it when the focus arrives.
    SendMessageW(edit_, EM_SETSEL, at, static_cast<LPARAM>(at));
    SetFocus(edit_);
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

void MultiLineBox::copySelection() {
    DWORD start = 0, end = 0;
    SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start == end) return;
    putClipboardText(edit_, breaks_.readPart(windowText(edit_), start, end));
}

LRESULT CALLBACK MultiLineBox::boxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                       DWORD_PTR self) {
    auto* box = reinterpret_cast<MultiLineBox*>(self);
    switch (message) {
        case WM_COPY:
        case WM_CUT:
            if (!box->breaks_.any()) break;  // the box's text is the text: the control copies it
            box->copySelection();
            if (message == WM_CUT && !(GetWindowLongW(hwnd, GWL_STYLE) & ES_READONLY))
                SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
            return 0;
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, boxProc, subclassId);
            box->edit_ = nullptr;
            break;
        default: break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace stepwise::win32
