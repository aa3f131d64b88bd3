#pragma once
// The --students-csv spreadsheet: one row per student with their totals and marking figures,
// columns exactly student,answered,median_confidence,minutes_on_task,notes,marked,right,
// accuracy,cbm_average.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "review/cbm.h"

namespace stepwise::review {

inline constexpr std::string_view studentsCsvHeader =
    "student,answered,median_confidence,minutes_on_task,notes,marked,right,accuracy,cbm_average";

// The --assignments-csv spreadsheet: one row per student and assignment they worked, the same
// columns and the assignment's header line last.
inline constexpr std::string_view assignmentsCsvHeader =
    "student,answered,median_confidence,minutes_on_task,notes,marked,right,accuracy,cbm_average,assignment";

struct StudentTotals {
    std::string student;
    int answered = 0;                 // questions answered
    std::string medianConfidence;     // as the class summary shows it; empty when none
    std::string minutesOnTask;        // as the class summary shows it
    int notes = 0;
    CbmFigures figures;
    std::string assignment;           // the assignment's header line: --assignments-csv only
};

// A figure with two decimals ("0.67", "-0.50"); empty when there is none.
std::string twoDecimals(std::optional<double> value);

// The whole file: UTF-8 with a byte-order mark, CR LF, RFC 4180. Numbers the program computes
// are written as numbers so that a spreadsheet can sum them (a negative average keeps its minus
// sign without the formula guard's apostrophe); the other cells are guarded as in every CSV file.
std::string studentsCsv(const std::vector<StudentTotals>& students);

// The same, one row per student and assignment, the assignment last.
std::string assignmentsCsv(const std::vector<StudentTotals>& rows);

}  // namespace stepwise::review
