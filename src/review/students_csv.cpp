#include "review/students_csv.h"

#include <cmath>

#include "format/numbers.h"
#include "review/csv.h"

namespace stepwise::review {

std::string twoDecimals(std::optional<double> value) {
    if (!value) return {};
    // Rounded in hundredths first so that -0.004 gives "0.00", not "-0.00".
    const long long hundredths = std::llround(*value * 100);
    const long long magnitude = std::llabs(hundredths);
    return (hundredths < 0 ? "-" : "") + std::to_string(magnitude / 100) + '.' + zeroPadded(magnitude % 100, 2);
}

namespace {

std::string totalsCells(const StudentTotals& s) {
    return csvField(s.student) + ',' + std::to_string(s.answered) + ',' + s.medianConfidence + ',' + s.minutesOnTask +
           ',' + std::to_string(s.notes) + ',' + std::to_string(s.figures.marked) + ',' +
           std::to_string(s.figures.right) + ',' + twoDecimals(s.figures.accuracy()) + ',' +
           twoDecimals(s.figures.cbmAverage());
}

}  // namespace

std::string studentsCsv(const std::vector<StudentTotals>& students) {
    std::string out(utf8ByteOrderMark);
    out += studentsCsvHeader;
    out += "\r\n";
    for (const StudentTotals& s : students) out += totalsCells(s) + "\r\n";
    return out;
}

std::string assignmentsCsv(const std::vector<StudentTotals>& rows) {
    std::string out(utf8ByteOrderMark);
    out += assignmentsCsvHeader;
    out += "\r\n";
    for (const StudentTotals& row : rows) out += totalsCells(row) + ',' + csvField(row.assignment) + "\r\n";
    return out;
}

}  // namespace stepwise::review
