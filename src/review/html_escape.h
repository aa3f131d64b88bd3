#pragma once
// Text placed in an HTML page as text: nothing a student typed can become markup or script.
#include <string>
#include <string_view>

namespace stepwise::review {

// & < > " ' as character references; line breaks kept (the page shows them with
// white-space: pre-wrap).
std::string escapeHtml(std::string_view utf8);

}  // namespace stepwise::review
