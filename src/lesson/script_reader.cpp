#include "lesson/script_commands.h"
#include "format/markers.h"
#include "format/routine_line.h"
#include "lesson/program_end.h"
#include "lesson/text_transforms.h"

namespace stepwise {

namespace {

constexpr std::u16string_view endOfAssignmentMessage =
    u"This assignment has no further questions or answers.  Everything you recorded is in your files; "
    u"click \"quit program\" when you are done.";

bool startsWith(const Text& text, std::u16string_view prefix) { return TextView(text).substr(0, prefix.size()) == prefix; }

}  // namespace

// Takes the next non-empty script line, classifies it by its marker and keeps what the record
// commands need. At the next assignment's header the program ends.
void readNextQuestion(Platform& platform, LessonState& state) {
    // The student moved on without recording: the default text replaces theirs, as an edit they
    // can undo in the box.
    if (state.responsePending) platform.replaceTextUndoably(ControlId::txt_answer, state.responsePrompt);
    state.responsePending = false;

    Text block;
    while (block.empty()) {
        if (state.lineIndex >= ScriptTable::lastIndex) {
            // Only empty lines are left: stay on the last line and say so, every time.
            platform.showMessage(Text(endOfAssignmentMessage));
            state.pendingText.clear();
            return;
        }
        state.lineIndex = state.lineIndex + 1;
        block = state.scriptLines.at(state.lineIndex);
        if (startsWith(block, questionMarker)) {
            state.blockKind = u"question";
        } else if (startsWith(block, answerMarker)) {
            block.erase(0, answerMarker.size());
            state.blockKind = u"answer";
        }
        if (block.empty()) continue;
        state.currentLine = block;
        if (lowerCase(leftText(block, 2)) == questionMarker)
            state.questionNumber = numberText(numericValue(TextView(block).substr(2, 3)));
    }

    if (!isRoutineLine(block)) state.responsePending = true;
    state.pendingText = block;
    if (leftText(block, 3) == state.nextAssignmentNumber) endProgram();
}

// Shows the next block, after running the routine a routine line names (one routine per click).
void cmdNextQuestion_Click(Platform& platform, LessonState& state) {
    readNextQuestion(platform, state);
    if (state.pendingText.size() > routineMarker.size() && isRoutineLine(state.pendingText)) {
        runRoutine(routineName(state.pendingText));
        state.pendingText.clear();
        readNextQuestion(platform, state);
    }
    state.pendingText = expandBreaks(state.pendingText);
    state.workText = platform.text(ControlId::txt_question);
    state.workText += state.pendingText;
    state.pendingText.clear();
    platform.setText(ControlId::txt_question, state.workText);
}

}  // namespace stepwise
