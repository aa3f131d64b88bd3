#include "app/accessible_texts.h"

#include "app/keyboard_shortcuts.h"
#include "format/text.h"

namespace stepwise {

namespace {

Text shortcutName(ControlId button) { return Text(shortcutOf(button)->name); }

}  // namespace

Text accessibleDescription(ControlId control) {
    using enum ControlId;
    switch (control) {
        case txt_question:
            return u"The lesson, one block after another. " + shortcutName(cmdNextQuestion) +
                   u" shows the next block.";
        case txt_answer:
            return u"Type your response here. " + shortcutName(cmd_enter_response) + u" records it, " +
                   shortcutName(cmd_save_as_notes) + u" saves it as a note. Ctrl+Z undoes.";
        case cmdNextQuestion:
            return u"Shows the next block of the lesson. Shortcut: " + shortcutName(cmdNextQuestion) + u".";
        case cmd_enter_response:
            return u"Records your response. Shortcut: " + shortcutName(cmd_enter_response) + u".";
        case cmd_save_as_notes:
            return u"Saves your response as a note. Shortcut: " + shortcutName(cmd_save_as_notes) + u".";
        default: return {};
    }
}

Text pictureDescription(int circles, bool hasPicture) {
    if (circles > 0)
        return decimalText(circles) + (circles == 1 ? u" circle" : u" circles") + u" drawn by pend exp";
    if (hasPicture) return u"a picture from the clipboard";
    return u"empty";
}

}  // namespace stepwise
