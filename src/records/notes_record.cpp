// "Save as Notes": the notes record in the master, SEND and notes files. The files keep what is
// written in memory until they are closed, so the record reaches each file whole or not at all.
#include "app/main_form.h"
#include "records/code_hook.h"
#include "records/line_writer.h"
#include "records/record_files.h"
#include "records/record_pieces.h"
#include "records/response_guard.h"

namespace stepwise {

namespace {

// The seven lines, each to all three files before the next one is started. The closing line ends
// the line only in the master file; in the SEND and notes files the next record continues it.
void writeNotesLines(Platform& platform, const LessonState& state) {
    const int codeNbr = state.lessonCodeNbr;
    for (int file : notesRecordFiles) writeLine(platform, file, {separatorLine});
    for (int file : notesRecordFiles) writeLine(platform, file, {timeStampIndent, platform.timeText()});
    for (int file : notesRecordFiles)
        writeLine(platform, file, {timeStampIndent, platform.dateText(), platform.timeText()});
    for (int file : notesRecordFiles) writeLine(platform, file, {code(state.currentLine, codeNbr)});
    for (int file : notesRecordFiles) writeLine(platform, file, {separatorLine});
    for (int file : notesRecordFiles) writeLine(platform, file, {code(state.workText, codeNbr)});
    writeLine(platform, recordFile::master, {closingLine});
    writeLine(platform, recordFile::send, {closingLine}, LineEnd::None);
    writeLine(platform, recordFile::notes, {closingLine}, LineEnd::None);
}

}  // namespace

void MainForm::cmd_save_as_notes_Click() {
    if (!passesResponseGuard(platform_, state_)) return;
    state_.workText = notesLabel + platform_.text(ControlId::txt_answer);

    platform_.closeFiles({recordFile::master, recordFile::send, recordFile::notes});
    if (const FileStatus failure = openRecordFiles(platform_, {{recordFile::master, state_.masterFilePath},
                                                               {recordFile::send, state_.sendFilePath},
                                                               {recordFile::notes, state_.notesFilePath}}))
        return reportUnrecorded(platform_, *failure, RecordCommand::saveAsNotes);

    writeNotesLines(platform_, state_);
    if (const FileStatus failure =
            platform_.closeFiles({recordFile::master, recordFile::send, recordFile::notes}))
        return reportUnrecorded(platform_, *failure, RecordCommand::saveAsNotes);
    state_.responsePending = false;
    emptyBoxes(platform_);
}

}  // namespace stepwise
