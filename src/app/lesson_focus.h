#pragma once
// Where the keyboard focus goes after a command, so that a student who listens to the window
// through a screen reader hears what the command did: the start of what it just showed in the
// display box, or the response box once a record is written. Without a screen reader the focus
// stays where the student put it, so that pressing Space on a button again and again never types
// into the display box.
#include <cstddef>

#include "platform/platform.h"

namespace stepwise {

// Remembers the display box's text before a command adds to it.
class DisplayBoxGrowth {
public:
    explicit DisplayBoxGrowth(Platform& platform);
    // When the command added text and a screen reader runs: the focus to the display box, the
    // caret at the start of the added text, past the line breaks it opens with.
    void focusAddedText();

private:
    Platform& platform_;
    bool following_;  // a screen reader runs
    std::size_t lengthBefore_;
};

// After a written record: the focus to the (now empty) response box, when a screen reader runs.
void focusResponseBoxAfterRecord(Platform& platform, bool recordWritten);

// Where the added text's first line starts: past the line breaks at `from`.
std::size_t startOfAddedText(const Text& text, std::size_t from);

}  // namespace stepwise
