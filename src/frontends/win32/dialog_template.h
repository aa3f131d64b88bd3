#pragma once
// The program's own dialogs, laid out in memory: a dialog template with its items, and the
// placement and resizing the dialogs share.
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace stepwise::win32 {

// Predefined classes of dialog items.
inline constexpr WORD buttonClass = 0x0080, editClass = 0x0081, staticClass = 0x0082;

// The layout the program's dialogs share, in dialog units: a fixed width, a margin all round, the
// text as wide as the margins leave, and push buttons of one size.
inline constexpr short dialogWidth = 260;
inline constexpr short dialogMargin = 7;
inline constexpr short dialogTextWidth = dialogWidth - 2 * dialogMargin;
inline constexpr short dialogButtonWidth = 50;
inline constexpr short dialogButtonHeight = 14;
inline constexpr short dialogGap = 6;

// Builds a DLGTEMPLATE with its items, aligned as DialogBoxIndirect expects.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, const wchar_t* title, WORD points, const wchar_t* font);

    // An item of a predefined class.
    void add(WORD classAtom, DWORD style, short x, short y, short width, short height, WORD id, const wchar_t* text);

    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    template <class T>
    void put(const T& value) {
        const auto* raw = reinterpret_cast<const std::uint8_t*>(&value);
        bytes_.insert(bytes_.end(), raw, raw + sizeof value);
    }
    void putWord(WORD w) { put(w); }
    void putText(const wchar_t* text);
    void align(std::size_t to);

    std::vector<std::uint8_t> bytes_;  // heap storage, so the template starts DWORD-aligned
};

// Centres the dialog on its owner when the owner is shown, else on the work area of the screen.
void centre(HWND dialog);

// Moves the item with this id down by dy pixels.
void moveBy(HWND dialog, int id, int dy);

// Makes the item `grow` pixels taller, moves the items below it (by id) down as far and makes the
// dialog as much taller.
void growItem(HWND dialog, HWND item, int grow, std::initializer_list<int> itemsBelow);

}  // namespace stepwise::win32
