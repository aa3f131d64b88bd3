// What a hand-in file's name tells: the student program names the SEND file "send_", the month and
// day as four digits, the name as typed with its spaces as underscores, and ".txt".
#include <algorithm>

#include "handin/handin_file.h"
#include "handin/handin_lines.h"

namespace stepwise::handin {

namespace {

constexpr std::string_view prefix = "send_";
constexpr std::string_view suffix = ".txt";
constexpr std::size_t dateDigits = 4;

bool equalIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

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
    const bool hasDate = middle.size() >= dateDigits &&
                         std::all_of(middle.begin(), middle.begin() + dateDigits, [](char c) { return c >= '0' && c <= '9'; });
    if (hasDate) {
        // The date as the lesson header writes it, with a leap year so that 02-29 counts.
        const std::string date = std::string(middle.substr(0, 2)) + "-" + std::string(middle.substr(2, 2)) + "-2028";
        if (isValidDate(date)) {
            result.month = std::stoi(date.substr(0, 2));
            result.day = std::stoi(date.substr(3, 2));
        }
        middle.remove_prefix(dateDigits);
    }
    result.student = fromUtf8(middle);
    std::replace(result.student.begin(), result.student.end(), u'_', u' ');
    return result;
}

}  // namespace stepwise::handin
