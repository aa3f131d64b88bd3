#pragma once
// Numbers as the files write and read them, whatever the locale: a decimal point, never a comma.
#include <optional>
#include <string>
#include <string_view>

#include "format/text.h"

namespace stepwise {

// "10003" for 10003, ".5" for 0.5: whole numbers as plain digits, others in up to 15 significant
// digits with trailing zeros dropped, an exponent as "E+20". No sign: the caller writes it.
Text generalNumber(double number);

// printf's "%.*f" for a finite number, in the "C" locale's form: fixedNumber(2.25, 1) is "2.2".
std::string fixedNumber(double number, int decimals);

// printf's "%g": up to 6 significant digits, trailing zeros dropped ("0.5", "12", "1e+06").
std::string shortNumber(double number);

// printf's "%0*lld": the whole number in at least `width` characters, zeros after the sign
// ("07" for 7 in two, "-05" for -5 in three).
std::string zeroPadded(long long number, int width);

// The decimal number that makes up the whole text ("12", "-3.5", "4e2"); no value for anything
// else, blanks included.
std::optional<double> parseNumber(std::string_view text);

}  // namespace stepwise
