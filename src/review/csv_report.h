#pragma once
// The spreadsheet of every record (--csv): one row per record, students in name order, each
// student's files by hand-in date, records in file order.
#include <array>
#include <filesystem>
#include <map>
#include <ostream>
#include <string>
#include <string_view>

#include "review/class_model.h"

namespace stepwise::review {

inline constexpr std::array<std::string_view, 15> recordColumns = {
    "student", "file", "lesson_date", "session", "time", "kind", "block", "question",
    "block_kind", "text", "confidence", "self_critique", "seconds", "mark", "assignment"};

// The byte-order mark and the header row.
std::string csvHeader();

// The marks the marks file gives a student's answers, by the record of the answer each marks row
// is for.
using RecordMarks = std::map<const handin::Record*, std::string>;

// The rows of one student's records; `mark` holds the record's mark from `marks`, else is left
// empty for the instructor.
std::string csvRows(const Student& student, const RecordMarks& marks = {});
// The same, appended to `out`.
void appendCsvRows(std::string& out, const Student& student, const RecordMarks& marks = {});

// How many rows of an earlier --csv report hold a value in its `mark` column, read as a spreadsheet
// may have saved it (semicolons, Windows-1252); 0 when there is no such file or column. Marks typed
// there would be lost when the report is written again.
std::size_t marksTypedInCsvReport(const std::filesystem::path& path);

// The name of the file a path names, as UTF-8 (the `file` column: the same on every system).
std::string fileNameOf(const std::string& utf8Path);
std::string_view fileNamePart(std::string_view utf8Path);  // the same, in place

}  // namespace stepwise::review
