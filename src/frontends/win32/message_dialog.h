#pragma once
// The program's messages: its title, the message and OK, or OK and Cancel. The message stands in a
// read-only box of the dialog's width that wraps every line at its edge, so a long path wraps
// inside the dialog instead of widening it past the screen; the box grows with the text (and
// scrolls beyond most of the screen's height). The student can select and copy the text.
#include <windows.h>

#include <string>

namespace stepwise::win32 {

// The id of the message's box, for keyboard users' tools and for tests.
inline constexpr int messageTextId = 1003;

enum class MessageButtons { ok, okCancel };

// True when OK was clicked; false for Cancel, Escape or the close box. owner may be null.
bool showMessageDialog(HWND owner, const std::wstring& title, const std::wstring& message, MessageButtons buttons);

}  // namespace stepwise::win32
