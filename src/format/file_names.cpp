#include "format/file_names.h"

#include <algorithm>

#include "format/stamps.h"

namespace stepwise {

Text fileNamePart(TextView name) {
    Text part(name);
    std::replace(part.begin(), part.end(), u' ', u'_');
    return part;
}

Text nameOfFileNamePart(TextView part) {
    Text name(part);
    std::replace(name.begin(), name.end(), u'_', u' ');
    return name;
}

Text monthDayOfDate(TextView date) { return leftText(date, 2) + leftText(midText(date, 4), 2); }

std::optional<MonthDay> parseMonthDay(std::string_view digits) {
    if (digits.size() != monthDayLength || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const MonthDay day{(digits[0] - '0') * 10 + (digits[1] - '0'), (digits[2] - '0') * 10 + (digits[3] - '0')};
    if (!isValidMonthDay(day.month, day.day)) return std::nullopt;
    return day;
}

OutputFileNames outputFileNames(const Text& name, const Text& date) {
    const Text n = fileNamePart(name);
    return {masterFilePrefix + n + outputFileSuffix, sendFilePrefix + monthDayOfDate(date) + n + outputFileSuffix,
            notesFilePrefix + n + outputFileSuffix};
}

}  // namespace stepwise
