#pragma once
// A file that cannot be shown is said in a message and the box is left as it was; see
// lesson/script_commands.h for the scheme all the commands share.
// The commands that show the student's files in the display box, and the two buttons that
// neither show nor record anything.
#include "lesson/lesson_state.h"
#include "platform/platform.h"

namespace stepwise {

void cmd_display_note_file_Click(Platform& platform, LessonState& state);
void cmd_displayCumulativeText_Click(Platform& platform, LessonState& state);
void cmd_clear_answer_box_Click(Platform& platform);
[[noreturn]] void cmd_quit_Click();

}  // namespace stepwise
