#include "app/main_form.h"

#include "format/lesson_header.h"
#include "lesson/program_end.h"
#include "lesson/script_commands.h"
#include "pictures/picture_commands.h"
#include "records/rating_prompts.h"
#include "records/record_commands.h"
#include "viewers/viewer_commands.h"

namespace stepwise {

MainForm::MainForm(Platform& platform) : platform_(platform) {}

void MainForm::dispatch(const std::function<void()>& handler) {
    if (ended_) return;
    try {
        handler();
    } catch (const ProgramEnded&) {
        ended_ = true;
        platform_.abandonAllFiles();
        platform_.closeWindowAndExit();
    }
}

void MainForm::endProgram() { stepwise::endProgram(); }

void MainForm::load() {
    dispatch([this] { Form_Load(); });
}

void MainForm::Form_Load() {
    state_.assignmentTitle = assignmentTitleLine;
    if (assignmentFile_) takeAssignmentFile();
    startLesson();
    openAssignment();
}

void MainForm::click(ControlId control) {
    using enum ControlId;
    switch (control) {
        case cmdNextQuestion: return dispatch([this] { cmdNextQuestion_Click(); });
        case cmd_enter_response: return dispatch([this] { cmd_enter_response_Click(); });
        case cmd_save_as_notes: return dispatch([this] { cmd_save_as_notes_Click(); });
        case cmd_display_note_file: return dispatch([this] { cmd_display_note_file_Click(); });
        case cmd_displayCumulativeText: return dispatch([this] { cmd_displayCumulativeText_Click(); });
        case cmd_clear_answer_box: return dispatch([this] { cmd_clear_answer_box_Click(); });
        case cmd_quit: return dispatch([this] { cmd_quit_Click(); });
        case cmd_next_picture: return dispatch([this] { cmd_next_picture_Click(); });
        case cmd_pend_exp: return dispatch([this] { cmd_pend_exp_Click(); });
        case cmd_copy_picture: return dispatch([this] { cmd_copy_picture_Click(); });
        default: return;  // controls without a handler do nothing
    }
}

void MainForm::tick(ControlId timer) {
    if (timer == ControlId::tmr_pend_exp) dispatch([this] { tmr_pend_exp_Timer(); });
}

// The handlers and procedures live with the concern they serve; the window hands them its
// front end and its state.
void MainForm::cmdNextQuestion_Click() { stepwise::cmdNextQuestion_Click(platform_, state_); }
void MainForm::cmd_enter_response_Click() { stepwise::cmd_enter_response_Click(platform_, state_); }
void MainForm::cmd_save_as_notes_Click() { stepwise::cmd_save_as_notes_Click(platform_, state_); }
void MainForm::cmd_display_note_file_Click() { stepwise::cmd_display_note_file_Click(platform_, state_); }
void MainForm::cmd_displayCumulativeText_Click() { stepwise::cmd_displayCumulativeText_Click(platform_, state_); }
void MainForm::cmd_clear_answer_box_Click() { stepwise::cmd_clear_answer_box_Click(platform_); }
void MainForm::cmd_quit_Click() { stepwise::cmd_quit_Click(); }
void MainForm::cmd_next_picture_Click() { stepwise::cmd_next_picture_Click(state_); }
void MainForm::cmd_pend_exp_Click() { stepwise::cmd_pend_exp_Click(platform_); }
void MainForm::cmd_copy_picture_Click() { stepwise::cmd_copy_picture_Click(platform_); }
void MainForm::tmr_pend_exp_Timer() { stepwise::tmr_pend_exp_Timer(platform_); }
void MainForm::loadScript() {
    if (assignment_)
        stepwise::loadAssignment(state_, *assignment_);
    else
        stepwise::loadScript(state_);
}
void MainForm::readNextQuestion() { stepwise::readNextQuestion(platform_, state_); }
void MainForm::runRoutine(const Text& routine) { stepwise::runRoutine(routine); }
void MainForm::rateSelfCritique() { stepwise::rateSelfCritique(platform_, state_); }

}  // namespace stepwise
