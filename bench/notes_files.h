#pragma once
// Notes files as the viewer benchmarks show them: notes records with students' sentences, as Save
// as Notes appends them, and notes with no space at all.
#include <cstddef>
#include <iterator>
#include <string>

#include "format/cp1252.h"
#include "format/record_pieces.h"

namespace stepwise::bench {

inline constexpr std::size_t megabyte = 1u << 20;

// The kinds of notes file, by number:
//   0 worded   notes records as Save as Notes writes them, with students' sentences
//   1 letters  70-character lines of one letter each, no space anywhere
//   2 number   70-character lines of digits: one long number
//   3 link     a pasted link, over and over, with no space
inline const char* const notesKindNames[] = {"worded", "letters", "number", "link"};
inline constexpr int wordedNotesKind = 0;

// One line of a record file: the text in Windows-1252, then CR LF unless the line has no end.
inline void appendRecordLine(std::string& bytes, const Text& text, bool lineEnd = true) {
    appendCp1252(bytes, text);
    if (lineEnd) bytes += "\r\n";
}

// Notes records as the program appends them; the closing line has no line end.
inline std::string wordedNotes(std::size_t size) {
    // Notes as students write them: one to several lines.
    const Text notesTexts[] = {
        u"Rate = change in quantity / change in clock time; I keep mixing up which comes first.",
        u"120 miles / 3 hours = 40 miles per hour.\r\nThat is about 64 km/h.\r\n"
        u"I wasn\u2019t sure about the conversion factor at first.",
        u"Remember: the average rate of depth change is &#916;y / &#916;t, in cm/s here.\r\n"
        u"Ask the instructor whether a rate is always a change divided by a change.",
    };
    std::string bytes;
    for (int record = 0; bytes.size() < size; ++record) {
        appendRecordLine(bytes, separatorLine);
        appendRecordLine(bytes, Text(timeStampIndent) + u"14:05:09");
        appendRecordLine(bytes, Text(timeStampIndent) + u"12-07-2026" + u"14:05:09");
        appendRecordLine(bytes, u"`q003.If you make $60,000 per year then how much do you make per month?");
        appendRecordLine(bytes, separatorLine);
        appendRecordLine(bytes, Text(notesLabel) + notesTexts[record % std::size(notesTexts)]);
        appendRecordLine(bytes, closingLine, false);
    }
    return bytes;
}

inline std::string unspacedNotes(int kind, std::size_t size) {
    std::string bytes;
    for (int line = 0; bytes.size() < size; ++line) {
        if (kind == 1) bytes += std::string(70, char('a' + line % 26));
        if (kind == 2) bytes += std::string(70, char('0' + line % 10));
        if (kind == 3) bytes += "https://www.example.org/courses/rates/assignment001/question003?student=Ann_Lee";
        bytes += "\r\n";
    }
    return bytes;
}

inline std::string notesFile(int kind, std::size_t size) {
    return kind == wordedNotesKind ? wordedNotes(size) : unspacedNotes(kind, size);
}

}  // namespace stepwise::bench
