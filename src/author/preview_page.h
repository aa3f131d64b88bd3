#pragma once
// The preview: one self-contained web page that shows an assignment as the student will meet it,
// block by block, each with its kind and the problems found in it. No script, no outside file;
// everything the author wrote is escaped.
#include <string>
#include <string_view>

#include "format/assignment_file.h"

namespace stepwise::author {

// The page opens with this line after the doctype, so that a later preview knows the file it may
// replace.
inline constexpr std::string_view previewMark = "<!-- stepwise-author preview -->";

// `fileName` (UTF-8) is shown in the title.
std::string previewPage(std::string_view fileName, const Assignment& assignment);

}  // namespace stepwise::author
