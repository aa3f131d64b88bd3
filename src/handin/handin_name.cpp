// What a hand-in file's name tells, as format/file_names.h forms it: "send_", the month and day as
// four digits, the name as typed with its spaces as underscores, and ".txt"; as downloads rename
// it, with a course site's prefix before it and a copy's suffix before ".txt".
#include <algorithm>
#include <optional>

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

bool startsWithMonthDay(std::string_view text) {
    return text.size() >= monthDayLength && std::all_of(text.begin(), text.begin() + monthDayLength, isDigit);
}

// Where "send_" starts: after any prefix a course site puts before it (user and submission ids,
// "LATE_", an attempt's date), the first one followed by a date, else the first one at all.
std::optional<std::size_t> sendPrefixAt(std::string_view stem) {
    std::optional<std::size_t> first;
    for (std::size_t at = 0; at + prefix.size() <= stem.size(); ++at) {
        if (!equalIgnoringAsciiCase(stem.substr(at, prefix.size()), prefix)) continue;
        if (startsWithMonthDay(stem.substr(at + prefix.size()))) return at;
        if (!first) first = at;
    }
    return first;
}

// The length of a copy number (1 to 3 digits) that ends `text`, or 0.
std::size_t copyNumberLength(std::string_view text) {
    std::size_t digits = 0;
    while (digits < text.size() && digits < 4 && isDigit(text[text.size() - 1 - digits])) ++digits;
    return digits >= 1 && digits <= 3 ? digits : 0;
}

// The name before the suffix a copy of the file gets from a course site, a mail program or a file
// manager: "-N", " (N)", " - Copy", " - Copy (N)", " copy", " copy N" (N of 1 to 3 digits).
std::string_view withoutCopySuffix(std::string_view stem) {
    std::string_view rest = stem;
    const auto cut = [&rest](TextView piece) {
        if (!endsWithIgnoringAsciiCase(rest, piece)) return false;
        rest.remove_suffix(piece.size());
        return true;
    };
    if (rest.ends_with(')')) {  // " (N)", " - Copy (N)"
        rest.remove_suffix(1);
        const std::size_t digits = copyNumberLength(rest);
        rest.remove_suffix(digits);
        if (!digits || !cut(u" (")) return stem;
        cut(u" - copy");
        return rest;
    }
    if (const std::size_t digits = copyNumberLength(rest)) {  // "-N", " copy N"
        rest.remove_suffix(digits);
        return cut(u"-") || cut(u" copy ") ? rest : stem;
    }
    return cut(u" - copy") || cut(u" copy") ? rest : stem;
}

std::string_view lastPathPart(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

bool endsWithIgnoringAsciiCase(std::string_view bytes, TextView piece) {
    return bytes.size() >= piece.size() && equalIgnoringAsciiCase(bytes.substr(bytes.size() - piece.size()), piece);
}

std::optional<HandinName> parseHandinName(std::string_view fileName) {
    const std::string_view name = lastPathPart(fileName);
    if (!endsWithIgnoringAsciiCase(name, suffix)) return std::nullopt;
    const std::string_view stem = withoutCopySuffix(name.substr(0, name.size() - suffix.size()));
    const std::optional<std::size_t> start = sendPrefixAt(stem);
    if (!start) return std::nullopt;
    std::string_view middle = stem.substr(*start + prefix.size());

    HandinName result;
    // Four digits are the date's, whether or not they name a day.
    if (startsWithMonthDay(middle)) {
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
