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

std::string studentsCsv(const std::vector<StudentTotals>& students) {
    std::string out(utf8ByteOrderMark);
    out += studentsCsvHeader;
    out += "\r\n";
    for (const StudentTotals& s : students) {
        out += csvField(s.student) + ',' + std::to_string(s.answered) + ',' + s.medianConfidence + ',' +
               s.minutesOnTask + ',' + std::to_string(s.notes) + ',' + std::to_string(s.figures.marked) +
               ',' + std::to_string(s.figures.right) + ',' + twoDecimals(s.figures.accuracy()) + ',' +
               twoDecimals(s.figures.cbmAverage()) + "\r\n";
    }
    return out;
}

}  // namespace stepwise::review
