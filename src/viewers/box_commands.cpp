// clear box and quit program: the two buttons that neither show nor record anything.
#include "app/main_form.h"

namespace stepwise {

void MainForm::cmd_clear_answer_box_Click() { platform_.setText(ControlId::txt_answer, u""); }

// Whatever is typed but not recorded is lost; nothing is written.
void MainForm::cmd_quit_Click() { endProgram(); }

}  // namespace stepwise
