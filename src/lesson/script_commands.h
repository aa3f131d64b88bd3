#pragma once
// Failures in the lesson's commands (this folder, records/, viewers/, pictures/): the student is
// told through Platform::showMessage in the program's words, and the command returns; ending the
// program is endProgram(), which unwinds to the window's dispatch. Nothing else is thrown.
// The script table and its reader: what "Next Question / Answer" shows, and the routines a
// script line can name.
#include "format/text.h"
#include "lesson/lesson_state.h"
#include "platform/platform.h"

namespace stepwise {

// Fills the script table with the built-in assignment from index 1 on; index 0 stays empty.
void loadScript(LessonState& state);

// Takes the next non-empty script line, classifies it by its marker and keeps what the record
// commands need. At the next assignment's header the program ends.
void readNextQuestion(Platform& platform, LessonState& state);

// "Next Question / Answer": shows the next block, after running the routine a routine line names.
void cmdNextQuestion_Click(Platform& platform, LessonState& state);

// Runs the routine a routine line names; an unknown name ends the program.
void runRoutine(const Text& routine);

}  // namespace stepwise
