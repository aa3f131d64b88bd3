#pragma once
// A clipboard that refuses a picture changes nothing and says nothing; see
// lesson/script_commands.h for the scheme all the commands share.
// The picture boxes' commands: "next picture", "pend exp" and its timer, "copy picture".
#include "lesson/lesson_state.h"
#include "platform/platform.h"

namespace stepwise {

inline constexpr int pendExpIntervalMs = 15;

void cmd_next_picture_Click(LessonState& state);
void cmd_pend_exp_Click(Platform& platform);
void tmr_pend_exp_Timer(Platform& platform);
void cmd_copy_picture_Click(Platform& platform);

}  // namespace stepwise
