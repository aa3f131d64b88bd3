#pragma once
// The spreadsheet of every record (--csv): one row per record, students in name order, each
// student's files by hand-in date, records in file order.
#include <array>
#include <ostream>
#include <string>
#include <string_view>

#include "review/class_model.h"

namespace stepwise::review {

inline constexpr std::array<std::string_view, 14> recordColumns = {
    "student", "file", "lesson_date", "session", "time", "kind", "block", "question",
    "block_kind", "text", "confidence", "self_critique", "seconds", "mark"};

// The byte-order mark and the header row.
std::string csvHeader();

// The rows of one student's records; `mark` is left empty for the instructor.
std::string csvRows(const Student& student);

// The name of the file a path names, as UTF-8 (the `file` column: the same on every system).
std::string fileNameOf(const std::string& utf8Path);

}  // namespace stepwise::review
