// What a hand-in file's name tells, as format/file_names.h forms it: "send_", the month and day as
// four digits, the name as typed with its spaces as underscores, and ".txt".
#include <algorithm>

#include "format/file_names.h"
#include "handin/handin_file.h"
#include "handin/student_identity.h"

namespace stepwise::handin {

namespace {

constexpr TextView prefix = sendFilePrefix;
constexpr TextView suffix = outputFileSuffix;

char16_t asciiLower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

// The bytes against an ASCII piece, letter case aside.
bool equalIgnoringAsciiCase(std::string_view bytes, TextView piece) {
    return std::equal(bytes.begin(), bytes.end(), piece.begin(), piece.end(), [](char byte, char16_t c) {
        return asciiLower(static_cast<unsigned char>(byte)) == asciiLower(c);
    });
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view lastPathPart(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::optional<HandinName> parseHandinName(std::string_view fileName) {
    const std::string_view name = lastPathPart(fileName);
    if (name.size() < prefix.size() + suffix.size() || !equalIgnoringAsciiCase(name.substr(0, prefix.size()), prefix) ||
        !equalIgnoringAsciiCase(name.substr(name.size() - suffix.size()), suffix))
        return std::nullopt;
    std::string_view middle = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());

    HandinName result;
    // Four digits are the date's, whether or not they name a day.
    if (middle.size() >= monthDayLength && std::all_of(middle.begin(), middle.begin() + monthDayLength, isDigit)) {
        if (const std::optional<MonthDay> day = parseMonthDay(middle.substr(0, monthDayLength))) {
            result.month = day->month;
            result.day = day->day;
        }
        middle.remove_prefix(monthDayLength);
    }
    result.student = nameOfFileNamePart(decodeNameBytes(middle));
    return result;
}

}  // namespace stepwise::handin
