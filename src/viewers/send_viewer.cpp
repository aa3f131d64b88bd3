// display SEND file: every line of the SEND file appended to the display box on a line of its own.
#include "app/main_form.h"
#include "viewers/viewer_file.h"

namespace stepwise {

void MainForm::cmd_displayCumulativeText_Click() {
    if (!openForViewing(platform_, sendViewerFile, state_.sendFilePath)) return;
    // The lines are gathered and the box set once: rewriting the box after every line would cost
    // time growing with the square of the file's size, and the text shown is the same.
    Text shown = platform_.text(ControlId::txt_question);
    // A line end of one or two bytes becomes CR LF, so a file of CR LF lines fits exactly.
    shown.reserve(shown.size() + platform_.fileLength(sendViewerFile) + CRLF.size());
    while (!platform_.atEnd(sendViewerFile)) {
        shown += CRLF;
        shown += platform_.readLine(sendViewerFile);
    }
    platform_.closeFile(sendViewerFile);
    platform_.setText(ControlId::txt_question, shown);
}

}  // namespace stepwise
