#pragma once
// Writes hand-in (SEND) files the way students' programs write them: each lesson is a run of
// the real window model on the fake platform, with Next, Enter Response and Save as Notes clicked
// and the clock moved on between clicks.
#include <filesystem>
#include <memory>

#include "app/main_form.h"
#include "support/fake_platform.h"

namespace stepwise::testing {

class HandinWriter {
public:
    // The files go to <driveRoot>/qwelrand, the default output folder.
    explicit HandinWriter(const std::filesystem::path& driveRoot);
    ~HandinWriter();

    // One run of the program by `name`, started at `at`: a lesson header in that day's SEND file.
    // With an assignment file, the run works it instead of the built-in assignment.
    void startLesson(const Text& name, LocalTime at, const std::filesystem::path& assignmentFile = {});
    // Clicks Next until the script line `scriptIndex` is on show (2 = the instructions, 4n-2 =
    // question n from 2 on, 4n = its worked answer).
    void show(int scriptIndex);
    void respond(int afterSeconds, const Text& text, const Text& rating);
    void saveNotes(int afterSeconds, const Text& text);

    std::filesystem::path folder() const { return driveRoot_ / "qwelrand"; }
    const Text& currentBlock() const { return form_->state().currentLine; }
    LocalTime clock() const { return platform_.clock; }

private:
    void wait(int seconds);

    std::filesystem::path driveRoot_;
    FakePlatform platform_;
    std::unique_ptr<MainForm> form_;
};

// The script index of question n (1-12) and of its worked answer (2-12).
inline int questionIndex(int question) { return question == 1 ? 2 : 4 * question - 2; }
inline int workedAnswerIndex(int question) { return 4 * question; }

}  // namespace stepwise::testing
