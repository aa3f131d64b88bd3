#pragma once
// Failures: the commands tell the student themselves; the end of the program arrives here as
// ProgramEnded and is caught in dispatch(), the one place that closes the files and the window.
// The one window of the program: its lesson state, the routing of events to handlers, and the
// procedures the handlers share. The handlers themselves live with the concern they serve
// (lesson/, records/, viewers/, pictures/) as functions of the front end and the lesson state;
// this class only binds them to the window, and none of them knows it.
#include <filesystem>
#include <functional>
#include <optional>

#include "format/assignment_file.h"
#include "lesson/lesson_state.h"
#include "platform/control_id.h"
#include "platform/platform.h"

namespace stepwise {

class MainForm {
public:
    explicit MainForm(Platform& platform);

    // Works the assignment in this file instead of the built-in one; given before load().
    void useAssignmentFile(std::filesystem::path file);
    // Whether the run ended at start-up because the assignment file could not be worked.
    bool assignmentRefused() const { return assignmentRefused_; }

    // Events from the front end. Each handler runs to completion; once the program has ended,
    // further events are ignored.
    void load();                // runs Form_Load; afterwards ended() tells whether to show the window
    void click(ControlId control);
    void tick(ControlId timer);
    bool ended() const { return ended_; }
    // Runs one event's handler to completion, or up to the point where it ends the program.
    void dispatch(const std::function<void()>& handler);

    LessonState& state() { return state_; }
    const LessonState& state() const { return state_; }

    // Event handlers.
    void Form_Load();
    void cmdNextQuestion_Click();
    void cmd_enter_response_Click();
    void cmd_save_as_notes_Click();
    void cmd_display_note_file_Click();
    void cmd_displayCumulativeText_Click();
    void cmd_clear_answer_box_Click();
    void cmd_quit_Click();
    void cmd_next_picture_Click();
    void cmd_pend_exp_Click();
    void cmd_copy_picture_Click();
    void tmr_pend_exp_Timer();

    // Procedures of the window.
    void startLesson();
    void openAssignment();
    Text makeCodeLine(const int& codeNbr);
    void loadScript();
    void readNextQuestion();
    void runRoutine(const Text& routine);
    void rateSelfCritique();

    // Ends the program at once: nothing after the call runs, every open file is closed, nothing
    // further is asked or written, and the window closes.
    [[noreturn]] void endProgram();

private:
    void takeAssignmentFile();
    Text firstAssignmentNumber() const;
    void askName();
    void askNameAgain(const FileError& failure);
    void askFolder();
    void askFolderAgain(const FileError& failure);
    void formFilePaths(const Text& name);
    void placeCursorOnHeader();
    void writeLessonHeader();

    Platform& platform_;
    LessonState state_;
    Text studentName_;
    std::optional<std::filesystem::path> assignmentFile_;
    std::optional<Assignment> assignment_;  // read from assignmentFile_; the built-in one when empty
    bool assignmentRefused_ = false;
    bool ended_ = false;
};

}  // namespace stepwise
