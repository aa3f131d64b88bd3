#include "records/response_guard.h"

namespace stepwise {

bool passesResponseGuard(Platform& platform, const LessonState& state) {
    if (platform.text(ControlId::txt_answer) != state.responsePrompt) return true;
    emptyBoxes(platform);
    return false;
}

void emptyBoxes(Platform& platform) {
    platform.setText(ControlId::txt_question, u"");
    platform.setText(ControlId::txt_answer, u"");
}

}  // namespace stepwise
