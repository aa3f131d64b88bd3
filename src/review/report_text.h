#pragma once
// Text as the reports write it: UTF-8 that every reader and every terminal accepts.
#include <string>
#include <string_view>

#include "format/text.h"
#include "system/system.h"

namespace stepwise::review {

// UTF-8; a lone surrogate (a character reference to half a pair) becomes U+FFFD.
std::string reportUtf8(TextView text);

// Text for a terminal line: control characters (C0, DEL, C1), which could move the cursor or
// change the terminal, become visible pictures or U+FFFD.
std::string terminalText(std::string_view utf8);

// "cannot write FILE: reason", for a file that could not be written.
std::string cannotWrite(const SystemError& failure);

}  // namespace stepwise::review
