#pragma once
// The assignments a class worked: the built-in one, always, and those an instructor wrote in
// assignment files. A session belongs to the assignment whose header line is line 3 of its lesson
// header; its records are the blocks of that assignment.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "format/assignment_file.h"
#include "format/text.h"
#include "handin/handin_file.h"

namespace stepwise::handin {

// One block a record can answer, and what it is.
struct KnownBlock {
    Text line;  // as the record holds it: the script line with an answer marker taken off
    BlockId id;
};

struct KnownAssignment {
    Text headerLine;                  // "001.  Rates": line 3 of the lesson header
    Text setTitle;                    // "ovla set": line 4
    std::string file;                 // the file it was read from; "" for the built-in
    bool builtin = false;
    std::vector<KnownBlock> blocks;   // in script order
    std::vector<int> questions;       // its question numbers, each once, in script order

    // The block whose line is exactly `blockLine`: where the text occurs more than once, the first
    // occurrence after the script index `after` (the session's block before), else the first.
    BlockId identify(TextView blockLine, int after = -1) const;
};

// The built-in assignment's blocks: instructions, acknowledgement, twelve questions with their
// worked answers, the end.
KnownAssignment builtinKnownAssignment();

// An assignment file's blocks: a `q block is a question, the block an answer marker marks a
// worked answer, "end program" the end, any other block plain, counted with the question before
// it. `file` is kept for messages.
KnownAssignment knownAssignmentOf(const Assignment& assignment, std::string file);

// True when the file's script lines are the built-in's (an exported copy of it).
bool isBuiltinCopy(const Assignment& assignment);

class KnownAssignments {
public:
    // The built-in assignment alone.
    KnownAssignments();
    // Adds an assignment file's; nothing when it is the built-in's copy. Fails, naming both files,
    // when another assignment has the same header line.
    std::optional<std::string> add(const Assignment& assignment, const std::string& file);

    const KnownAssignment* find(TextView headerLine) const;
    const std::vector<std::shared_ptr<const KnownAssignment>>& all() const { return all_; }

    // The catalogue of a run given no assignment files.
    static const KnownAssignments& builtinOnly();

private:
    std::vector<std::shared_ptr<const KnownAssignment>> all_;  // the built-in first
};

}  // namespace stepwise::handin
