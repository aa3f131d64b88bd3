#include "app/control_table.h"

namespace stepwise {

namespace {

using enum ControlId;
using K = ControlKind;

constexpr std::array<ControlSpec, controlCount> table{{
    {txt_question, "txt_question", K::DisplayBox, u"", 240, 720, 5175, 3255, 0, u"Lesson text"},
    {txt_answer, "txt_answer", K::ResponseBox, u" ", 5640, 720, 5055, 3255, 1, u"Your response"},
    {cmdNextQuestion, "cmdNextQuestion", K::Button, u"Next Question / Answer", 240, 0, 975, 735, 2, u"Next Question / Answer"},
    {cmd_enter_response, "cmd_enter_response", K::Button, u"Enter Response", 5640, 240, 855, 495, 3, u"Enter Response"},
    {Picture1, "Picture1", K::PictureBox, u"", 240, 4080, 5175, 3375, 4, u"Picture 1"},
    {Picture2, "Picture2", K::PictureBox, u"", 5640, 4080, 5055, 3375, 5, u"Picture 2"},
    {cmd_save_as_notes, "cmd_save_as_notes", K::Button, u"Save as Notes", 6480, 240, 855, 495, 6, u"Save as Notes"},
    {cmd_Make_paragraph, "cmd_Make_paragraph", K::Button, u"Make Paragraph", 7320, 240, 975, 495, 7, u"Make Paragraph"},
    {cmd_Make_Paragraph_question, "cmd_Make_Paragraph_question", K::Button, u"Make Paragraph", 1200, 240, 855, 495, 8, u"Make Paragraph"},
    {txt_paragraph_goback, "txt_paragraph_goback", K::TextLine, u"1", 3120, 240, 150, 495, 9, u"# sentences previous"},
    {lbl_paragraph_goback, "lbl_paragraph_goback", K::Label, u"# sentences previous", 3000, 240, 255, 495, 10, u"# sentences previous"},
    {cmd_timerTrigger, "cmd_timerTrigger", K::Button, u"Trigger Timer", 2400, 7560, 735, 495, 11, u"Trigger Timer"},
    {List1, "List1", K::ListBox, u"", 3120, 7680, 1695, 840, 12, u"List"},
    {lbl_parameter_0, "lbl_parameter(0)", K::Label, u"Parameter 1", 5640, 7680, 900, 195, 13, u"Parameter 1"},
    {txt_parameter_0, "txt_parameter(0)", K::TextLine, u"1", 6720, 7680, 300, 285, 14, u"Parameter 1"},
    {lbl_parameter_1, "lbl_parameter(1)", K::Label, u"Parameter 2", 5640, 8160, 855, 195, 15, u"Parameter 2"},
    {txt_parameter_1, "txt_parameter(1)", K::TextLine, u"1", 6720, 8160, 300, 285, 16, u"Parameter 2"},
    {lbl_parameter_2, "lbl_parameter(2)", K::Label, u"Parameter 3", 7200, 7680, 1005, 195, 17, u"Parameter 3"},
    {txt_parameter_2, "txt_parameter(2)", K::TextLine, u"1", 8205, 7680, 300, 285, 18, u"Parameter 3"},
    {lbl_parameter_3, "lbl_parameter(3)", K::Label, u"Parameter 4", 7200, 8160, 900, 195, 19, u"Parameter 4"},
    {txt_parameter_3, "txt_parameter(3)", K::TextLine, u"1", 8205, 8160, 300, 285, 20, u"Parameter 4"},
    {cmd_displayCumulativeText, "cmd_displayCumulativeText", K::Button, u"display SEND file", 4440, 240, 855, 495, 21, u"display SEND file"},
    {cmd_display_note_file, "cmd_display_note_file", K::Button, u"display notes", 3240, 240, 135, 495, 22, u"display notes"},
    {cmd_quit, "cmd_quit", K::Button, u"quit program", 10200, 0, 735, 495, 23, u"quit program"},
    {cmd_pend_exp, "cmd_pend_exp", K::Button, u"pend exp", 8640, 7560, 495, 375, 24, u"pend exp"},
    {cmd_next_picture, "cmd_next_picture", K::Button, u"next picture", 1200, 7560, 855, 495, 25, u"next picture"},
    {lbl_only_if_prompted, "lbl_only_if_prompted", K::Label, u"click only if prompted", 240, 7560, 855, 495, 26, u"click only if prompted"},
    {cmd_copy_picture, "cmd_copy_picture", K::Button, u"copy picture", 1200, 8160, 855, 495, 27, u"copy picture"},
    {cmd_clear_answer_box, "cmd_clear_answer_box", K::Button, u"clear box", 8280, 240, 855, 495, 28, u"clear box"},
    {tmr_pend_exp, "tmr_pend_exp", K::Timer, u"", 0, 0, 0, 0, -1, u""},
}};

// The table is indexed by ControlId; a misordered row would silently move a control.
constexpr bool tableFollowsControlIds() {
    for (int i = 0; i < controlCount; ++i)
        if (static_cast<int>(table[i].id) != i) return false;
    return true;
}
static_assert(tableFollowsControlIds());

}  // namespace

const std::array<ControlSpec, controlCount>& controlTable() { return table; }

const ControlSpec& controlSpec(ControlId id) { return table[static_cast<int>(id)]; }

}  // namespace stepwise
