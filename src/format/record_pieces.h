#pragma once
// The fixed pieces of the lesson header and of the response and notes records, exactly as the
// instructor's tools expect them. The writer and the hand-in reader both use them.
#include <cstddef>
#include <iterator>

namespace stepwise {

inline constexpr char16_t separatorLine[] = u"......!!!!!!!!...................................";
inline constexpr char16_t closingLine[] = u".................................................";
// Starts every time-stamp line.
inline constexpr char16_t timeStampIndent[] = u"                                    ";
inline constexpr char16_t responseLabel[] = u"RESPONSE -->  ";
inline constexpr char16_t notesLabel[] = u"NOTES -------> ";
inline constexpr char16_t confidenceLabel[] = u"confidence assessment:  ";
inline constexpr char16_t selfCritiqueLabel[] = u"self critique assessment: ";
// Opens line 2 of the lesson header; the assignment number follows.
inline constexpr char16_t assignmentLineOpening[] = u"assignment #";
// Line 4 of the lesson header: the assignment's title.
inline constexpr char16_t assignmentTitleLine[] = u"ovla set";
// The clock forms of the time-stamp lines: "14:05:09" and "12-07-2026".
inline constexpr std::size_t timeTextLength = 8;
inline constexpr std::size_t dateTextLength = 10;
// Opens the question-number line of a response record in the master file: two empty lines, then
// the marker, all in one write; the combined question number follows as a number item.
inline constexpr char16_t questionNumberOpening[] = u"\r\n\r\n`questionNumber";

static_assert(std::size(separatorLine) - 1 == 49);
static_assert(std::size(closingLine) - 1 == 49);
static_assert(std::size(timeStampIndent) - 1 == 36);

}  // namespace stepwise
