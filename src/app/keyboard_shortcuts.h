#pragma once
// The keys that press the three buttons a student uses all the time, from anywhere in the window.
// A shortcut is the button's click itself: the same handler, the same prompts.
#include <array>
#include <string_view>

#include "platform/control_id.h"

namespace stepwise {

enum class ShortcutKey { Return, N };

struct Shortcut {
    ControlId button;
    ShortcutKey key;
    bool shift;                 // with Shift as well as Ctrl
    std::u16string_view name;   // as a screen reader and the README name it, e.g. "Ctrl+Return"
};

// Every shortcut is Ctrl with a key, and Shift for some.
inline constexpr std::array<Shortcut, 3> keyboardShortcuts{{
    {ControlId::cmd_enter_response, ShortcutKey::Return, false, u"Ctrl+Return"},
    {ControlId::cmd_save_as_notes, ShortcutKey::Return, true, u"Ctrl+Shift+Return"},
    {ControlId::cmdNextQuestion, ShortcutKey::N, false, u"Ctrl+N"},
}};

// The shortcut of a button; nullptr when it has none.
constexpr const Shortcut* shortcutOf(ControlId button) {
    for (const Shortcut& shortcut : keyboardShortcuts)
        if (shortcut.button == button) return &shortcut;
    return nullptr;
}

}  // namespace stepwise
