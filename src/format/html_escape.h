#pragma once
// Text placed in an HTML page as text: nothing a student or an author typed can become markup or
// script.
#include <string>
#include <string_view>

namespace stepwise {

// & < > " ' as character references, so the text is safe in element content and in quoted
// attribute values; line breaks and tabs kept (the page shows them with white-space: pre-wrap);
// other control characters, which HTML has no place for, become their visible pictures (U+2400
// onwards).
std::string escapeHtml(std::string_view utf8);
void appendEscapedHtml(std::string& out, std::string_view utf8);

// The visible picture of a C0 control character or DEL, as UTF-8.
void appendControlPicture(std::string& out, unsigned char control);

}  // namespace stepwise
