#include "app/main_form.h"

#include "records/record_pieces.h"

namespace stepwise {

namespace {

// Thrown by endProgram and caught in dispatch(), where the event entered the window, so that no later step of
// the handler that ended the program can run.
struct ProgramEnded {};

}  // namespace

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

void MainForm::endProgram() { throw ProgramEnded{}; }

void MainForm::load() {
    dispatch([this] { Form_Load(); });
}

void MainForm::Form_Load() {
    state_.assignmentTitle = assignmentTitleLine;
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

}  // namespace stepwise
