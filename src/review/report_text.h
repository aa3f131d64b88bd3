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
// change the terminal, become visible pictures or U+FFFD; invisible format characters (the
// bidirectional controls U+202A-202E and U+2066-2069, zero-width ones) are shown by their code,
// "<U+202E>".
std::string terminalText(std::string_view utf8);

// A count with its noun: "1 question", "2 questions", "0 questions".
std::string countOf(long long count, std::string_view one, std::string_view many);

// "cannot write FILE: reason", for a file that could not be written.
std::string cannotWrite(const SystemError& failure);

}  // namespace stepwise::review
