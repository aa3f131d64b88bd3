#pragma once
// The key of an answer's text in the marks file's `answer_key` column: ten capital letters that
// stay the same whatever a spreadsheet does to the `response` cell beside them, so that a changed
// answer is found by its key and never by comparing the text a spreadsheet saved again.
//
// The key, fixed for good (files written by one version are read by every later one):
//   1. the answer as UTF-8, put into Unicode NFC, every CR LF and every lone CR made LF;
//   2. FNV-1a, 64 bits, over those bytes: start at 14695981039346656037, and for each byte XOR it
//      in and multiply by 1099511628211, modulo 2^64;
//   3. the 64-bit value written as ten base-26 digits, least significant first, 0 as A and 25 as
//      Z (the value's highest bits, beyond 26^10, are not used).
// Letters only: no spreadsheet takes the key for a number, a date or a formula.
#include <string>
#include <string_view>

namespace stepwise::review {

inline constexpr std::size_t answerKeyLength = 10;

// The key of an answer given in UTF-8.
std::string answerKey(std::string_view utf8Answer);

// True when the cell is a key as answerKey writes it: ten letters A-Z (blanks around it aside).
bool isAnswerKey(std::string_view cell);

}  // namespace stepwise::review
