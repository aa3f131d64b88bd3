#pragma once
// The names of a student's three output files: masterFile_<name>.txt, send_<MMDD><name>.txt and
// notes_<name>.txt, where <name> is the name as typed with each space as "_" and MMDD the month
// and day of the date the SEND file was started. The student program forms them; the hand-in
// reader reads the student and the day back from a SEND file's name.
#include <cstddef>
#include <optional>
#include <string_view>

#include "format/text.h"

namespace stepwise {

inline constexpr char16_t masterFilePrefix[] = u"masterFile_";
inline constexpr char16_t sendFilePrefix[] = u"send_";
inline constexpr char16_t notesFilePrefix[] = u"notes_";
inline constexpr char16_t outputFileSuffix[] = u".txt";
// The digits of MMDD.
inline constexpr std::size_t monthDayLength = 4;

// The name as it goes into the file names: every space replaced by "_", nothing else changed.
Text fileNamePart(TextView name);
// The name again from that part: every "_" a space.
Text nameOfFileNamePart(TextView part);

// "1207" for the date "12-07-2026" (MM-DD-YYYY).
Text monthDayOfDate(TextView date);
// The month and day of four digits MMDD, when they name a day of the calendar (0229 included).
struct MonthDay {
    int month;
    int day;
};
std::optional<MonthDay> parseMonthDay(std::string_view digits);

// The names of the three output files for a name on a date ("MM-DD-YYYY").
struct OutputFileNames {
    Text master;  // "masterFile_" + N + ".txt"
    Text send;    // "send_" + MM + DD + N + ".txt"
    Text notes;   // "notes_" + N + ".txt"
};
OutputFileNames outputFileNames(const Text& name, const Text& date);

}  // namespace stepwise
