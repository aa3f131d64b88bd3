// "Save as Notes": the notes record in the master, SEND and notes files. The files keep what is
// written in memory until they are closed, so the record reaches each file whole or not at all.
#include "records/record_commands.h"
#include "records/code_hook.h"
#include "records/line_writer.h"
#include "records/record_files.h"
#include "format/record_pieces.h"
#include "records/response_guard.h"

namespace stepwise {

namespace {

// The seven lines of format/record_pieces.h, each to all three files before the next one is
// started. The closing line ends the line only in the master file; in the SEND and notes files the
// next record continues it.
void writeNotesLines(Platform& platform, const LessonState& state) {
    const int codeNbr = state.lessonCodeNbr;
    for (int file : notesRecordFiles) writeLine(platform, file, {separatorLine});
    for (int file : notesRecordFiles) writeLine(platform, file, {timeStampLine(platform.timeText())});
    for (int file : notesRecordFiles) {
        const Text date = platform.dateText();  // read before the time, as the line has them
        writeLine(platform, file, {dateTimeStampLine(date, platform.timeText())});
    }
    for (int file : notesRecordFiles) writeLine(platform, file, {code(state.currentLine, codeNbr)});
    for (int file : notesRecordFiles) writeLine(platform, file, {separatorLine});
    for (int file : notesRecordFiles) writeLine(platform, file, {code(state.workText, codeNbr)});
    for (int file : notesRecordFiles) writeClosingLine(platform, RecordKind::notes, file);
}

}  // namespace

bool cmd_save_as_notes_Click(Platform& platform, LessonState& state) {
    if (!passesResponseGuard(platform, state)) return false;
    state.workText = notesLabel + platform.text(ControlId::txt_answer);

    platform.closeFiles({recordFile::master, recordFile::send, recordFile::notes});
    if (const FileStatus failure = openRecordFiles(platform, {{recordFile::master, state.masterFilePath},
                                                               {recordFile::send, state.sendFilePath},
                                                               {recordFile::notes, state.notesFilePath}})) {
        reportUnrecorded(platform, *failure, RecordCommand::saveAsNotes);
        return false;
    }

    writeNotesLines(platform, state);
    if (const FileStatus failure =
            platform.closeFiles({recordFile::master, recordFile::send, recordFile::notes})) {
        reportUnrecorded(platform, *failure, RecordCommand::saveAsNotes);
        return false;
    }
    state.responsePending = false;
    emptyBoxes(platform);
    return true;
}

}  // namespace stepwise
