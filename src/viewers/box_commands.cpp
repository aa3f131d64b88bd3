// clear box and quit program: the two buttons that neither show nor record anything.
#include "viewers/viewer_commands.h"
#include "lesson/program_end.h"

namespace stepwise {

void cmd_clear_answer_box_Click(Platform& platform) { platform.setText(ControlId::txt_answer, u""); }

// Whatever is typed but not recorded is lost; nothing is written.
void cmd_quit_Click() { endProgram(); }

}  // namespace stepwise
