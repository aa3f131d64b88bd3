#pragma once
// The layout of the main window, toolkit-neutral: every front end builds its window from this table.
#include <array>
#include <string_view>

#include "platform/control_id.h"
#include "format/text.h"

namespace stepwise {

enum class ControlKind { DisplayBox, ResponseBox, Button, TextLine, Label, PictureBox, ListBox, Timer };

struct ControlSpec {
    ControlId id;
    std::string_view name;        // the control's name in the program, e.g. "cmd_enter_response"
    ControlKind kind;
    std::u16string_view caption;  // caption, or the initial text of a text box
    int left, top, width, height; // twips from the top-left corner of the client area
    int tabIndex;                 // -1 for the timer, which takes no focus
    std::u16string_view accessibleName;
};

inline constexpr int twipsPerPixel = 15;  // at 96 dots per inch
inline constexpr int clientWidthTwips = 10875;
inline constexpr int clientHeightTwips = 8490;
inline constexpr std::u16string_view windowCaption = u"Form1";
inline constexpr std::u16string_view programTitle = u"Stepwise";

// The two large boxes use "System" at 9.75 point, bold; every other control the toolkit's default font.
inline constexpr std::string_view largeBoxFontFamily = "System";
inline constexpr double largeBoxFontPoints = 9.75;


// All controls in tab order, the timer last.
const std::array<ControlSpec, controlCount>& controlTable();
const ControlSpec& controlSpec(ControlId id);

}  // namespace stepwise
