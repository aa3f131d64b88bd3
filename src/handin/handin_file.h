#pragma once
// A hand-in (SEND) file read back: its lesson headers, the records after each, and everything
// found wrong with it, in the record format of format/record_pieces.h and format/lesson_header.h.
//
// How this layer reports failures: nothing here throws or stops for what a file holds or lacks.
// Every fault of a file, damage, an edit, a file that cannot be read at all, becomes a Problem
// (the file, the line from 1 or 0 for the whole file, a message for the instructor) in the file's
// or the caller's list, and reading goes on with the rest. std::optional is only for an answer
// that is not a failure: a file name that is not a SEND file's (parseHandinName).
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/record_pieces.h"
#include "format/text.h"
#include "handin/handin_source.h"

namespace stepwise::handin {

// Which block of its assignment a record answers. The built-in assignment's first two blocks are
// the instructions and the acknowledgement; in an assignment file, a block that is neither a
// question, a worked answer nor the end is plain.
enum class BlockKind { instructions, acknowledgement, question, workedAnswer, end, plain, unknown };

// The word used for a block kind in reports: "instructions", "acknowledgement", "question",
// "worked answer", "end", "plain", "unknown".
std::string_view blockKindName(BlockKind kind);

struct BlockId {
    int scriptIndex = -1;                // index in the script table; -1 when nothing matches
    std::optional<int> questionNumber;  // the question the block belongs to, if any
    BlockKind kind = BlockKind::unknown;
};

struct KnownAssignment;
class KnownAssignments;

// Finds the block of the built-in assignment whose script line is exactly `blockLine`
// (as the record holds it, after decoding).
BlockId identifyBlock(TextView blockLine);

using RecordKind = stepwise::RecordKind;

struct Record {
    RecordKind kind = RecordKind::response;
    int line = 0;                       // line number of the record's separator line, from 1
    Text time;                          // the record's time stamp as written ("14:05:09")
    Text date;                          // notes records: the date as written; "" otherwise
    Text block;                         // the block line, decoded
    BlockId blockId;
    std::string text;                   // the student's text, decoded into UTF-8 (a reference to
                                        // half a surrogate pair as U+FFFD), CR LF line breaks
                                        // (notes: without the notes label)
    std::optional<Text> confidence;     // as typed, when the record has a confidence line
    std::optional<Text> selfCritique;   // as typed, when the record has a self-critique line
};

// The records after one lesson header.
struct Session {
    int line = 0;                       // line number of the header's code line, from 1
                                        // (without a header: of the session's first record)
    bool hasHeader = true;              // false for records before the file's first header
    Text assignment;                    // header line 2, e.g. "assignment #001"
    Text lessonDate;                    // header line 5 as written ("12-07-2026")
    Text assignmentHeader;              // header line 3, the assignment's header line
                                        // ("001.  Rates"); "" without a header
    const KnownAssignment* known = nullptr;  // the assignment it belongs to (owned by the run's
                                             // KnownAssignments); nothing when it was not given
    std::string header;                 // the header's bytes: its code line is drawn at random
                                        // once a run, so two files holding the same header hold
                                        // copies of one session
    std::vector<Record> records;
};

struct Problem {
    std::string file;                   // the path as given to the reader (UTF-8)
    int line = 0;                       // from 1; 0 when the problem is the whole file
    std::string message;                // UTF-8, for the instructor
};

// What the file name tells: "send_1207Ann_Lee.txt" is Ann Lee's hand-in for 12-07, and so are
// "leeann_12345_send_1207Ann_Lee-1.txt" and "send_1207Ann_Lee (2).txt", as downloads rename it: any
// prefix before "send_", and a copy's suffix before ".txt" ("-N", " (N)", " - Copy", " - Copy (N)",
// " copy", " copy N"); "send_", the suffixes and ".txt" in any letter case.
struct HandinName {
    Text student;                       // underscores back to spaces: "Ann Lee"
    int month = 0;                      // 1-12, or 0 when the name has no valid date
    int day = 0;
};
std::optional<HandinName> parseHandinName(std::string_view fileName);

// Whether a file name's bytes end in an ASCII piece (".txt", ".zip"), letter case aside.
bool endsWithIgnoringAsciiCase(std::string_view bytes, TextView piece);

struct HandinFile {
    std::string path;                   // as given (UTF-8)
    HandinName name;
    std::optional<std::uint64_t> sizeRead;  // the bytes read; nothing for a file that could not be read
    std::vector<Session> sessions;
    std::vector<Problem> problems;
};

// Reads a SEND file's bytes (Windows-1252, CR LF) into sessions and records. `name` is what
// parseHandinName makes of the path (left empty when the path is not send_*.txt; the reader reports
// no problem for the name itself).
// Sessions are read as sessions of the assignments `known` holds.
HandinFile parseHandin(std::string_view bytes, std::string path);
HandinFile parseHandin(std::string_view bytes, std::string path, const KnownAssignments& known);

// The largest hand-in file read (a student's term of work is well under 1 MB); a larger one is not
// read at all and is reported, so that the memory a run takes stays within a few times this.
inline constexpr std::uintmax_t handinSizeLimit = std::uintmax_t{64} << 20;

// Reads a hand-in from disk or from its archive; one that cannot be read gives a HandinFile with
// one problem.
HandinFile readHandinFile(const HandinSource& source);
HandinFile readHandinFile(const HandinSource& source, const KnownAssignments& known);

// Every hand-in under the given paths: files as given; folders searched recursively; zip archives,
// given or found in folders, read to their entries (and the entries of a zip inside one). A hand-in
// is a .txt whose name holds send_MMDD<name> (parseHandinName). Paths that cannot be searched,
// archives or entries that cannot be read, and text files that begin as a hand-in but whose names
// do not say whose are reported as problems.
std::vector<HandinSource> findHandinFiles(const std::vector<std::filesystem::path>& paths,
                                          std::vector<Problem>& problems);

}  // namespace stepwise::handin
