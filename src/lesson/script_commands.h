#pragma once
// Failures in the lesson's commands (this folder, records/, viewers/, pictures/): the student is
// told through Platform::showMessage in the program's words, and the command returns; ending the
// program is endProgram(), which unwinds to the window's dispatch. Nothing else is thrown.
// The script table and its reader: what "Next Question / Answer" shows, and the routines a
// script line can name.
#include "format/assignment_file.h"
#include "format/text.h"
#include "lesson/lesson_state.h"
#include "platform/platform.h"

namespace stepwise {

// Fills the script table with the built-in assignment from index 1 on; index 0 stays empty.
void loadScript(LessonState& state);

// Fills the script table with an assignment read from a file: its header at index 1, its blocks
// at 2, 4, 6, ... with empty lines between them, as the built-in assignment stands. Like
// loadScript, it leaves the cursor on 0.
void loadAssignment(LessonState& state, const Assignment& assignment);

// Takes the next non-empty script line, classifies it by its marker and keeps what the record
// commands need. At the next assignment's header the program ends.
void readNextQuestion(Platform& platform, LessonState& state);

// "Next Question / Answer": shows the next block, after running the routine a routine line names.
void cmdNextQuestion_Click(Platform& platform, LessonState& state);

// Runs the routine a routine line names; an unknown name ends the program.
void runRoutine(const Text& routine);

}  // namespace stepwise
