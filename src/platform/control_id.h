#pragma once
// Every control of the main window, in tab order; the timer, which takes no focus, comes last.
namespace stepwise {

enum class ControlId {
    txt_question,
    txt_answer,
    cmdNextQuestion,
    cmd_enter_response,
    Picture1,
    Picture2,
    cmd_save_as_notes,
    cmd_Make_paragraph,
    cmd_Make_Paragraph_question,
    txt_paragraph_goback,
    lbl_paragraph_goback,
    cmd_timerTrigger,
    List1,
    lbl_parameter_0,
    txt_parameter_0,
    lbl_parameter_1,
    txt_parameter_1,
    lbl_parameter_2,
    txt_parameter_2,
    lbl_parameter_3,
    txt_parameter_3,
    cmd_displayCumulativeText,
    cmd_display_note_file,
    cmd_quit,
    cmd_pend_exp,
    cmd_next_picture,
    lbl_only_if_prompted,
    cmd_copy_picture,
    cmd_clear_answer_box,
    tmr_pend_exp,
};

inline constexpr int controlCount = static_cast<int>(ControlId::tmr_pend_exp) + 1;

}  // namespace stepwise
