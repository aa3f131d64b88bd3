#include "format/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <system_error>

namespace stepwise {

namespace {

std::string charsOf(double number, std::chars_format format, int precision) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number, format, precision);
    return std::string(buffer, result.ptr);
}

}  // namespace

Text generalNumber(double number) {
    const double magnitude = std::fabs(number);
    std::string digits;
    if (std::trunc(magnitude) == magnitude && magnitude < 1e15) {
        digits = charsOf(magnitude, std::chars_format::fixed, 0);
    } else {
        digits = charsOf(magnitude, std::chars_format::general, 15);
        for (char& c : digits)  // "E+20", "INF": printf's %G spelling
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    if (digits.rfind("0.", 0) == 0) digits.erase(0, 1);  // ".5", as general number format writes it
    return fromUtf8(digits);
}

std::string fixedNumber(double number, int decimals) { return charsOf(number, std::chars_format::fixed, decimals); }

std::string shortNumber(double number) { return charsOf(number, std::chars_format::general, 6); }

std::string zeroPadded(long long number, int width) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    std::string text(buffer, result.ptr);
    const std::size_t sign = number < 0 ? 1 : 0;
    if (text.size() < static_cast<std::size_t>(std::max(width, 0)))
        text.insert(sign, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

std::optional<double> parseNumber(std::string_view text) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ptr != text.data() + text.size()) return std::nullopt;
    if (result.ec == std::errc::result_out_of_range) {
        // As strtod: too large is infinite, too small is zero.
        const bool negative = text.front() == '-';
        const std::size_t mantissaEnd = text.find_first_of("eE");
        const std::string_view mantissa = text.substr(0, mantissaEnd);
        const bool exponentNegative = mantissaEnd != std::string_view::npos &&
                                      mantissaEnd + 1 < text.size() && text[mantissaEnd + 1] == '-';
        const bool wholePart = mantissa.find_first_of("123456789") < mantissa.find('.');
        const bool tooLarge = exponentNegative ? false : (wholePart || mantissaEnd != std::string_view::npos);
        const double magnitude = tooLarge ? HUGE_VAL : 0.0;
        return negative ? -magnitude : magnitude;
    }
    if (result.ec != std::errc{}) return std::nullopt;
    return value;
}

}  // namespace stepwise
