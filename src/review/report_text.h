#pragma once
// Text as the reports write it: UTF-8 that every reader accepts, and HTML that shows what a
// student typed as text, whatever it holds.
#include <string>
#include <string_view>

#include "platform/text.h"

namespace stepwise::review {

// UTF-8; a lone surrogate (a character reference to half a pair) becomes U+FFFD.
std::string reportUtf8(TextView text);

// Escapes UTF-8 text for HTML element content and quoted attribute values: & < > " ' become
// references, and control characters other than tab, CR and LF become their visible pictures
// (U+2400 onwards), since HTML has no place for them.
std::string htmlEscape(std::string_view utf8);
void appendHtmlEscaped(std::string& out, std::string_view utf8);

// Text for a terminal line: control characters (C0, DEL, C1), which could move the cursor or
// change the terminal, become visible pictures or U+FFFD.
std::string terminalText(std::string_view utf8);

}  // namespace stepwise::review
