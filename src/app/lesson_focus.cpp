#include "app/lesson_focus.h"

#include <algorithm>

namespace stepwise {

// The box may hold megabytes: its text is only read when a screen reader will be told.
DisplayBoxGrowth::DisplayBoxGrowth(Platform& platform)
    : platform_(platform), following_(platform.screenReaderRunning()),
      lengthBefore_(following_ ? platform.text(ControlId::txt_question).size() : 0) {}

void DisplayBoxGrowth::focusAddedText() {
    if (!following_) return;
    const Text now = platform_.text(ControlId::txt_question);
    if (now.size() <= lengthBefore_) return;  // nothing new to read
    platform_.focusBox(ControlId::txt_question, startOfAddedText(now, lengthBefore_));
}

void focusResponseBoxAfterRecord(Platform& platform, bool recordWritten) {
    if (recordWritten && platform.screenReaderRunning()) platform.focusBox(ControlId::txt_answer, 0);
}

std::size_t startOfAddedText(const Text& text, std::size_t from) {
    std::size_t start = std::min(from, text.size());
    while (start < text.size() && (text[start] == u'\r' || text[start] == u'\n')) ++start;
    // Text of line breaks alone: the caret where it began.
    return start < text.size() ? start : std::min(from, text.size());
}

}  // namespace stepwise
