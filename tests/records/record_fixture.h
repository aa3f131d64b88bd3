#pragma once
// A started lesson with a block on show, for the record commands. The expected record bytes in
// the tests are written out literally, as the instructor's tools read them.
#include <string>

#include "support/lesson_fixture.h"

namespace stepwise::testing {

inline const std::string separator = "......!!!!!!!!...................................";
inline const std::string closing = ".................................................";
inline const std::string indent(36, ' ');

class RecordTest : public LessonTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(start());
        platform.boxes[ControlId::txt_answer] = u" ";  // as the window starts
        masterBefore = master();
        sendBefore = send();
    }

    // What the script reader leaves behind when it shows a block.
    void showBlock(const Text& line, const Text& kind, const Text& number) {
        state().currentLine = line;
        state().blockKind = kind;
        state().questionNumber = number;
        state().responsePending = true;
        platform.boxes[ControlId::txt_question] = line;
    }
    void type(const Text& response) { platform.boxes[ControlId::txt_answer] = response; }
    void enterResponse() { form.click(ControlId::cmd_enter_response); }
    void saveAsNotes() { form.click(ControlId::cmd_save_as_notes); }
    Text display() { return platform.boxes[ControlId::txt_question]; }
    Text response() { return platform.boxes[ControlId::txt_answer]; }
    bool notesExists() const { return std::filesystem::exists(outputFolder() / "notes_Ann_Lee.txt"); }

    std::string masterBefore;  // the lesson header, before any record
    std::string sendBefore;
};

}  // namespace stepwise::testing
