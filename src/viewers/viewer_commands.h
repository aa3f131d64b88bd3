#pragma once
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
