// display SEND file: every line of the SEND file appended to the display box on a line of its own.
#include "viewers/viewer_commands.h"
#include "viewers/viewer_file.h"

namespace stepwise {

void cmd_displayCumulativeText_Click(Platform& platform, LessonState& state) {
    if (!openForViewing(platform, sendViewerFile, state.sendFilePath)) return;
    // The lines are gathered and the box set once: rewriting the box after every line would cost
    // time growing with the square of the file's size, and the text shown is the same.
    Text shown = platform.text(ControlId::txt_question);
    // A line end of one or two bytes becomes CR LF, so a file of CR LF lines fits exactly.
    shown.reserve(shown.size() + platform.fileLength(sendViewerFile) + CRLF.size());
    while (!platform.atEnd(sendViewerFile)) {
        shown += CRLF;
        shown += platform.readLine(sendViewerFile);
    }
    platform.closeFile(sendViewerFile);
    platform.setText(ControlId::txt_question, shown);
}

}  // namespace stepwise
