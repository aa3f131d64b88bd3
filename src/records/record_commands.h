#pragma once
// A record that cannot be written is reported to the student (reportUnrecorded) and the command
// returns; see lesson/script_commands.h for the scheme all the commands share.
// The two commands that record the response box: "Enter Response" and "Save as Notes".
#include "lesson/lesson_state.h"
#include "platform/platform.h"

namespace stepwise {

// Each tells whether it wrote a record.
bool cmd_enter_response_Click(Platform& platform, LessonState& state);
bool cmd_save_as_notes_Click(Platform& platform, LessonState& state);

}  // namespace stepwise
