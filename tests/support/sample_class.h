#pragma once
// Classes of hand-in files for the instructor's program, written by the student program's own
// record code (see HandinWriter).
#include <filesystem>

namespace stepwise::testing {

// Three students in <driveRoot>/qwelrand: Ann Lee (two days, two sessions on the first, notes
// run together with the next record, multi-line text, a character outside Windows-1252, a break,
// a session across midnight), Zoë Ümit (responses that are HTML, script and spreadsheet
// formulas, text that looks like record lines) and Cy (every question answered).
void writeSampleClass(const std::filesystem::path& driveRoot);

// A class that works an assignment file beside the built-in assignment, in <root>/mixed/qwelrand:
// the assignment file <root>/speed.stepwise; Ann Lee works both on one day, in one SEND file, Zoë
// Ümit the built-in on one day and the assignment file the next. <root>/old-marks.csv holds marks
// for the built-in assignment as a marks file without the answer_key and assignment columns.
void writeMixedClass(const std::filesystem::path& root);

// Damaged and hostile files beside a sample class in `folder`: a truncated copy, a hand-edited
// copy, random bytes, a 0-byte file, a folder named like a hand-in and a copy of a file under
// another folder. Each is a send_*.txt of a student of its own (Dan, Hal, Eve, Fay, Gus), the
// copy Ann Lee's.
void writeDamagedHandins(const std::filesystem::path& folder);

// A generated class of `files` hand-in files (two days per student) of about 20 KB each, with
// responses, ratings, notes and multi-line text as students write them.
void writeGeneratedClass(const std::filesystem::path& driveRoot, int files);

// A class the size of a real one: `files` hand-in files of about 57 KB (two days per student, two
// sessions a day), every question answered in 150 to 450 words, worked answers critiqued or noted,
// a few words outside ASCII.
void writeRealisticClass(const std::filesystem::path& driveRoot, int files);

}  // namespace stepwise::testing
