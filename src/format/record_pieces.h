#pragma once
// The response and notes records, exactly as the instructor's tools expect them: their lines and
// fixed pieces. The writer (records/) and the hand-in reader (handin/) both use them.
//
// A response record, in the master and SEND files:
//   separator line, time-stamp line, [master file only: the question-number line], block,
//   separator line, response label line, the student's text, [a rating line], closing line
// A notes record, in the master, SEND and notes files:
//   separator line, time-stamp line, date-and-time-stamp line, block, separator line,
//   notes label and the student's text, closing line (see closingLineEnds)
// Every line ends in CR LF, and so does every line break inside a text; only a notes record's
// closing line may have no line end (closingLineEnds).
#include <cstddef>

#include "format/text.h"

namespace stepwise {

enum class RecordKind { response, notes };

// The files the records go to.
enum class OutputFile { master, send, notes };

inline constexpr char16_t separatorLine[] = u"......!!!!!!!!...................................";
inline constexpr char16_t closingLine[] = u".................................................";
// Starts every time-stamp line.
inline constexpr char16_t timeStampIndent[] = u"                                    ";
// A response's label has a line of its own; the notes label starts the line of the notes' text.
inline constexpr char16_t responseLabel[] = u"RESPONSE -->  ";
inline constexpr char16_t notesLabel[] = u"NOTES -------> ";
// The rating line of a response to a question block and to a worked-answer block; the rating
// follows as typed.
inline constexpr char16_t confidenceLabel[] = u"confidence assessment:  ";
inline constexpr char16_t selfCritiqueLabel[] = u"self critique assessment: ";
// Opens the question-number line of a response record in the master file: two empty lines, then
// the marker, all in one write; the combined question number follows as a number item.
inline constexpr char16_t questionNumberOpening[] = u"\r\n\r\n`questionNumber";

// The characters of a piece, without the terminating null.
template <std::size_t N>
constexpr std::size_t pieceLength(const char16_t (&)[N]) {
    return N - 1;
}

static_assert(pieceLength(separatorLine) == 49);
static_assert(pieceLength(closingLine) == 49);
static_assert(pieceLength(timeStampIndent) == 36);

// The indent and a time: "                                    14:05:09".
inline Text timeStampLine(TextView time) { return timeStampIndent + Text(time); }
// A notes record's second stamp: the indent, the date and the time with nothing between them.
inline Text dateTimeStampLine(TextView date, TextView time) { return timeStampIndent + Text(date) + Text(time); }

// Whether a record's closing line ends its line in a file. A notes record's ends it only in the
// master file: in the SEND and notes files the next record or lesson header starts right after
// it, on the same line, and the file's last notes record ends without a line end.
constexpr bool closingLineEnds(RecordKind kind, OutputFile file) {
    return kind == RecordKind::response || file == OutputFile::master;
}

}  // namespace stepwise
