#pragma once
// The fixed pieces of the response and notes records, exactly as the instructor's tools expect them.
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
// Opens the question-number line of a response record in the master file: two empty lines, then
// the marker, all in one write; the combined question number follows as a number item.
inline constexpr char16_t questionNumberOpening[] = u"\r\n\r\n`questionNumber";

static_assert(std::size(separatorLine) - 1 == 49);
static_assert(std::size(closingLine) - 1 == 49);
static_assert(std::size(timeStampIndent) - 1 == 36);

}  // namespace stepwise
