#pragma once
// A multi-line edit box (the display box, the response box) whose long paragraphs are shown with
// soft breaks (soft_line_breaks.h): its text is set and read as the core knows it, and a copy or a
// cut from it puts on the clipboard the text without the soft breaks.
#include <windows.h>

#include <string>
#include <string_view>

#include "frontends/win32/soft_line_breaks.h"

namespace stepwise::win32 {

// Replaces an edit control's whole text as one edit that Ctrl+Z takes back.
void replaceAllUndoably(HWND edit, const std::wstring& text);

class MultiLineBox {
public:
    explicit MultiLineBox(HWND edit);
    ~MultiLineBox();
    MultiLineBox(const MultiLineBox&) = delete;
    MultiLineBox& operator=(const MultiLineBox&) = delete;

    std::wstring text();
    void setText(std::wstring_view text);
    // Replaces the whole text as one edit that Ctrl+Z takes back.
    void replaceTextUndoably(std::wstring_view text);
    // Gives the box the keyboard focus with the caret at a position of text(), shown in view.
    void focusAt(std::size_t textPosition);

private:
    static LRESULT CALLBACK boxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR self);
    std::wstring shownText(std::wstring_view text);
    // Puts the selection, without soft breaks, on the clipboard.
    void copySelection();

    HWND edit_;
    SoftBreaks breaks_;
};

}  // namespace stepwise::win32
