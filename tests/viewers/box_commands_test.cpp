// clear box and quit program.
#include "viewers/viewer_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;
using BoxCommands = ViewerTest;

TEST_F(BoxCommands, ClearBoxEmptiesTheDefaultTextSoTheNextRecordHoldsAnEmptyResponse) {
    platform.boxes[txt_answer] = state().responsePrompt;
    state().workText = u"W";
    const std::string sendBefore = send();
    form.click(cmd_clear_answer_box);
    EXPECT_EQ(platform.boxes[txt_answer], u"");
    EXPECT_EQ(state().workText, u"W");
    EXPECT_EQ(send(), sendBefore) << "nothing is recorded";
    EXPECT_FALSE(std::filesystem::exists(notesPath()));

    form.click(cmd_save_as_notes);
    const std::string n = notes();
    EXPECT_NE(n.find("\r\nNOTES -------> \r\n................................................."), std::string::npos)
        << "an empty box differs from the default text and is recorded: " << n;
}

TEST_F(BoxCommands, QuitWithUnrecordedTextWritesNothingAndEndsTheProgram) {
    writeBytes(notesPath(), "earlier notes");
    const std::string masterBefore = master(), sendBefore = send(), notesBefore = notes();
    platform.boxes[txt_answer] = u"typed but never recorded";
    setDisplayBox(u"B");

    form.click(cmd_quit);
    EXPECT_TRUE(form.ended());
    EXPECT_EQ(platform.exits, 1);
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(send(), sendBefore);
    EXPECT_EQ(notes(), notesBefore);

    // The window is gone: no further click runs its handler.
    for (ControlId control : {cmd_display_note_file, cmd_displayCumulativeText, cmd_save_as_notes,
                              cmd_enter_response, cmd_clear_answer_box, cmd_quit})
        form.click(control);
    EXPECT_EQ(displayBox(), u"B");
    EXPECT_EQ(platform.boxes[txt_answer], u"typed but never recorded");
    EXPECT_EQ(platform.exits, 1);
    EXPECT_EQ(platform.prompts.size(), 2u) << "only the start-up prompts were shown";
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(send(), sendBefore);
    EXPECT_EQ(notes(), notesBefore);
}

}  // namespace
}  // namespace stepwise::testing
