// "Enter Response": the response record in the master file and the SEND file, with the rating the
// block asks for. The files keep what is written in memory until they are closed, so the record
// reaches each file whole, or not at all when a file fails or the program stops at the prompt.
#include "records/record_commands.h"
#include "records/code_hook.h"
#include "records/line_writer.h"
#include "records/rating_prompts.h"
#include "records/record_files.h"
#include "format/record_pieces.h"
#include "records/response_guard.h"

namespace stepwise {

namespace {

// The assignment's number times 10000 plus the question's number; 0 for an empty number.
double combinedQuestionNumber(const LessonState& state) {
    return numericValue(state.assignmentNumber) * 10000.0 + numericValue(state.questionNumber);
}

// The record up to its rating (format/record_pieces.h): separator, time stamp, question number
// (master file only), block, separator, label and response. Each line goes to both files before the
// next one is started.
void writeResponseLines(Platform& platform, const LessonState& state) {
    const int codeNbr = state.lessonCodeNbr;
    for (int file : responseRecordFiles) writeLine(platform, file, {separatorLine});
    for (int file : responseRecordFiles) writeLine(platform, file, {timeStampLine(platform.timeText())});
    writeLine(platform, recordFile::master, {questionNumberOpening, combinedQuestionNumber(state)});
    for (int file : responseRecordFiles) writeLine(platform, file, {code(state.currentLine, codeNbr)});
    for (int file : responseRecordFiles) writeLine(platform, file, {separatorLine});
    for (int file : responseRecordFiles) writeLine(platform, file, {responseLabel});
    for (int file : responseRecordFiles) writeLine(platform, file, {code(state.workText, codeNbr)});
}

}  // namespace

bool cmd_enter_response_Click(Platform& platform, LessonState& state) {
    if (!passesResponseGuard(platform, state)) return false;
    if (const FileStatus failure = openRecordFiles(platform, {{recordFile::master, state.masterFilePath},
                                                               {recordFile::send, state.sendFilePath}})) {
        reportUnrecorded(platform, *failure, RecordCommand::enterResponse);
        return false;
    }

    state.workText = platform.text(ControlId::txt_answer);
    writeResponseLines(platform, state);
    if (state.blockKind == u"question")
        askConfidenceRating(platform);
    else if (state.blockKind == u"answer")
        rateSelfCritique(platform, state);
    for (int file : responseRecordFiles) writeClosingLine(platform, RecordKind::response, file);

    if (const FileStatus failure = platform.closeFiles({recordFile::master, recordFile::send})) {
        reportUnrecorded(platform, *failure, RecordCommand::enterResponse);
        return false;
    }
    state.responsePending = false;
    emptyBoxes(platform);
    return true;
}

}  // namespace stepwise
