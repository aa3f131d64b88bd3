// display notes: the notes file appended to the display box, its lines run together.
#include "viewers/viewer_commands.h"
#include "viewers/viewer_file.h"

namespace stepwise {

void cmd_display_note_file_Click(Platform& platform, LessonState& state) {
    platform.closeFile(notesViewerFile);
    // A notes file that is missing or unreadable leaves the box and workText as they were.
    if (!openForViewing(platform, notesViewerFile, state.notesFilePath, noNotesYetMessage())) return;
    state.workText = u"";
    state.workText.reserve(platform.fileLength(notesViewerFile));
    while (!platform.atEnd(notesViewerFile)) state.workText += platform.readLine(notesViewerFile);
    platform.setText(ControlId::txt_question, platform.text(ControlId::txt_question) + state.workText);
    platform.closeFile(notesViewerFile);
}

}  // namespace stepwise
