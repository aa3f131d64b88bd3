#pragma once
// What a screen reader says about a control besides its name: how to work it from the keyboard,
// and what a picture box holds. Every front end gives these same words.
#include "format/text.h"
#include "platform/control_id.h"

namespace stepwise {

// "" for a control with nothing to add to its name.
Text accessibleDescription(ControlId control);

// A picture box: "empty", the circles drawn on it, or the picture it was given.
Text pictureDescription(int circles, bool hasPicture);

}  // namespace stepwise
