#pragma once
// The first step of both record commands, and the last step of a record that was written.
#include "lesson/lesson_state.h"
#include "platform/platform.h"

namespace stepwise {

// False when the response box still holds exactly the default response text: nothing is to be
// recorded, and both boxes are emptied. True when the box's text is to be recorded.
bool passesResponseGuard(Platform& platform, const LessonState& state);

// Empties the display box, then the response box, ready for the next block.
void emptyBoxes(Platform& platform);

}  // namespace stepwise
