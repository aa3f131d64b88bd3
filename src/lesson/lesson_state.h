#pragma once
#include "lesson/maybe_set.h"
#include "lesson/script_table.h"
#include "format/text.h"

namespace stepwise {

// The lesson variables the window keeps for the whole run. Nothing here is saved.
struct LessonState {
    ScriptTable scriptLines;          // the built-in assignment, one block per line
    MaybeSet<int> lineIndex;          // script cursor: the index of the line taken last
    Text pendingText;                 // the block taken by the reader, waiting to be shown
    Text currentLine;                 // the last block taken, answer marker removed
    Text blockKind;                   // "question" or "answer", from the last marked block
    Text questionNumber;              // number of the last question block, as decimal text
    MaybeSet<bool> responsePending;   // the block on show still expects a response
    Text workText;                    // scratch text shared by the commands
    Text selfCritiqueRating;          // the last self-critique rating typed ("" while unset)
    Text folderPath;                  // output folder
    Text masterFilePath;
    Text sendFilePath;
    Text notesFilePath;
    Text assignmentNumber;            // three digits: "001"
    Text nextAssignmentNumber;        // "002"
    Text assignmentTitle;             // written into the lesson header
    Text responsePrompt;              // default text of the response box
    MaybeSet<int> lessonCodeNbr;      // 19 to 28, drawn once per run
};

}  // namespace stepwise
