#pragma once
// Text as the lesson core sees it: UTF-16 code units, lines broken by CR LF.
// Positions count from 1, as in the lesson's own procedures.
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace stepwise {

using Text = std::u16string;
using TextView = std::u16string_view;

// Equal texts, compared as bytes: the standard comparison of UTF-16 strings goes a unit at a
// time, and the review compares long block lines for every record it reads.
inline bool sameText(TextView a, TextView b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0);
}

inline constexpr char16_t CR = u'\r';
inline constexpr char16_t LF = u'\n';
inline const Text CRLF = u"\r\n";

// Letters lowered (ASCII and Latin-1), every other character kept.
Text lowerCase(TextView text);

// The first n characters, or the whole text when it is shorter.
Text leftText(TextView text, std::size_t n);

// The characters from position `position` (counted from 1) to the end; "" past the end.
Text midText(TextView text, std::size_t position);

// The number written at the start of the text, leading blanks skipped; 0 when there is none.
double numericValue(TextView text);

// The text up to its first line break (CR or LF); the whole text when it has none.
Text firstLine(TextView text);

// Every lone CR and every lone LF as CR LF; CR LF stays as it is.
Text withCrLfBreaks(TextView text);

// Decimal digits of a whole number, without sign or blanks when it is not negative.
Text decimalText(long long number);

// A character past U+FFFF is two units: a high surrogate (D800-DBFF), then a low one (DC00-DFFF).
inline bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c < 0xDC00; }
inline bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c < 0xE000; }
// The character that starts at unit `i`, a surrogate pair taken together and a lone surrogate as it
// stands; `i` moves on past it.
char32_t nextCodePoint(TextView text, std::size_t& i);
// A code point at the end of the text: up to U+FFFF one unit, a lone surrogate included; past it a pair.
void appendCodePoint(Text& text, char32_t codePoint);

// UTF-8 that the program itself holds (literals, numbers, the system's messages) into Text and
// back; decodeUtf8 (format/utf8.h) with its faults not asked for, and encodeUtf8 with lone
// surrogates kept. Bytes from outside, which may not be UTF-8, go to decodeUtf8.
Text fromUtf8(std::string_view utf8);
std::string toUtf8(TextView text);

}  // namespace stepwise
