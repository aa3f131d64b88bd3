// Handlers not yet written; each is replaced by the file of its own concern.
#include "app/main_form.h"

namespace stepwise {
void MainForm::cmd_enter_response_Click() {}
void MainForm::cmd_save_as_notes_Click() {}
void MainForm::rateSelfCritique() {}
void MainForm::cmd_display_note_file_Click() {}
void MainForm::cmd_displayCumulativeText_Click() {}
void MainForm::cmd_clear_answer_box_Click() {}
void MainForm::cmd_quit_Click() {}
void MainForm::cmd_next_picture_Click() {}
void MainForm::cmd_pend_exp_Click() {}
void MainForm::cmd_copy_picture_Click() {}
void MainForm::tmr_pend_exp_Timer() {}
}  // namespace stepwise
