// display notes: the notes file appended to the display box, its lines run together.
#include "app/main_form.h"
#include "viewers/viewer_file.h"

namespace stepwise {

void MainForm::cmd_display_note_file_Click() {
    platform_.closeFile(notesViewerFile);
    // A notes file that is missing or unreadable leaves the box and workText as they were.
    if (!openForViewing(platform_, notesViewerFile, state_.notesFilePath, noNotesYetMessage())) return;
    state_.workText = u"";
    state_.workText.reserve(platform_.fileLength(notesViewerFile));
    while (!platform_.atEnd(notesViewerFile)) state_.workText += platform_.readLine(notesViewerFile);
    platform_.setText(ControlId::txt_question, platform_.text(ControlId::txt_question) + state_.workText);
    platform_.closeFile(notesViewerFile);
}

}  // namespace stepwise
