#include "app/main_form.h"
#include "lesson/markers.h"
#include "lesson/routine_line.h"
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
void MainForm::readNextQuestion() {
    // The student moved on without recording: the default text replaces theirs, as an edit they
    // can undo in the box.
    if (state_.responsePending) platform_.replaceTextUndoably(ControlId::txt_answer, state_.responsePrompt);
    state_.responsePending = false;

    Text block;
    while (block.empty()) {
        if (state_.lineIndex >= ScriptTable::lastIndex) {
            // Only empty lines are left: stay on the last line and say so, every time.
            platform_.showMessage(Text(endOfAssignmentMessage));
            state_.pendingText.clear();
            return;
        }
        state_.lineIndex = state_.lineIndex + 1;
        block = state_.scriptLines.at(state_.lineIndex);
        if (startsWith(block, questionMarker)) {
            state_.blockKind = u"question";
        } else if (startsWith(block, answerMarker)) {
            block.erase(0, answerMarker.size());
            state_.blockKind = u"answer";
        }
        if (block.empty()) continue;
        state_.currentLine = block;
        if (lowerCase(leftText(block, 2)) == questionMarker)
            state_.questionNumber = numberText(numericValue(TextView(block).substr(2, 3)));
    }

    if (!isRoutineLine(block)) state_.responsePending = true;
    state_.pendingText = block;
    if (leftText(block, 3) == state_.nextAssignmentNumber) endProgram();
}

// Shows the next block, after running the routine a routine line names (one routine per click).
void MainForm::cmdNextQuestion_Click() {
    readNextQuestion();
    if (state_.pendingText.size() > routineMarker.size() && isRoutineLine(state_.pendingText)) {
        runRoutine(routineName(state_.pendingText));
        state_.pendingText.clear();
        readNextQuestion();
    }
    state_.pendingText = expandBreaks(state_.pendingText);
    state_.workText = platform_.text(ControlId::txt_question);
    state_.workText += state_.pendingText;
    state_.pendingText.clear();
    platform_.setText(ControlId::txt_question, state_.workText);
}

}  // namespace stepwise
