#pragma once
// The modal input prompt: the program's title, a message, one empty entry line, OK and Cancel.
// The dialog is laid out in memory; its message area grows with the message.
#include <windows.h>

#include <optional>
#include <string>

namespace stepwise::win32 {

// Control ids inside the prompt, for keyboard users' tools and for tests.
inline constexpr int promptMessageId = 1001;
inline constexpr int promptAnswerId = 1002;

// The typed text after OK; nothing after Cancel, Escape or the close box. owner may be null.
std::optional<std::wstring> askForText(HWND owner, const std::wstring& title, const std::wstring& message);

}  // namespace stepwise::win32
