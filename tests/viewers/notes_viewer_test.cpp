// display notes: the notes file's lines run together after what the display box shows.
#include "viewers/viewer_file.h"
#include "viewers/viewer_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;
using NotesViewer = ViewerTest;

TEST_F(NotesViewer, RunsTheLinesTogetherAfterTheBoxTextAndKeepsThemInWorkText) {
    writeBytes(notesPath(), "first line\r\nsecond line\r\n");
    setDisplayBox(u"Block B\r\n");
    form.click(cmd_display_note_file);
    EXPECT_EQ(displayBox(), u"Block B\r\nfirst linesecond line");
    EXPECT_EQ(state().workText, u"first linesecond line");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(platform.isFileOpen(notesViewerFile));
}

TEST_F(NotesViewer, SplitsAtCrAndCrLfAndKeepsALoneLfInsideItsLine) {
    writeBytes(notesPath(), "a\rb\r\n\r\nc\nd\r\ne");  // lines: a, b, "", "c\nd", e
    setDisplayBox(u"");
    form.click(cmd_display_note_file);
    EXPECT_EQ(state().workText, u"abc\nde");
    EXPECT_EQ(displayBox(), u"abc\nde");
}

TEST_F(NotesViewer, TwoClicksInARowAppendTheNotesTwice) {
    writeBytes(notesPath(), "one\r\ntwo");
    setDisplayBox(u"B");
    form.click(cmd_display_note_file);
    form.click(cmd_display_note_file);
    EXPECT_EQ(displayBox(), u"Bonetwoonetwo");
    EXPECT_EQ(state().workText, u"onetwo") << "workText is emptied before each gathering";
}

TEST_F(NotesViewer, AnEmptyNotesFileAppendsNothingAndEmptiesWorkText) {
    writeBytes(notesPath(), "");
    setDisplayBox(u"B");
    state().workText = u"left from a record";
    form.click(cmd_display_note_file);
    EXPECT_EQ(displayBox(), u"B");
    EXPECT_EQ(state().workText, u"");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(NotesViewer, BeforeTheFirstNotesRecordSaysSoAndChangesNothing) {
    ASSERT_FALSE(std::filesystem::exists(notesPath()));
    setDisplayBox(u"B");
    state().workText = u"W";
    form.click(cmd_display_note_file);
    EXPECT_EQ(displayBox(), u"B");
    EXPECT_EQ(state().workText, u"W");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], noNotesYetMessage());
    EXPECT_FALSE(platform.isFileOpen(notesViewerFile));
    EXPECT_FALSE(std::filesystem::exists(notesPath())) << "the viewer only reads";
    EXPECT_FALSE(form.ended());
}

TEST_F(NotesViewer, AnUnreadableNotesFileNamesThePathAndTheReason) {
    std::filesystem::create_directory(notesPath());
    setDisplayBox(u"B");
    state().workText = u"W";
    form.click(cmd_display_note_file);
    EXPECT_EQ(displayBox(), u"B");
    EXPECT_EQ(state().workText, u"W");
    ASSERT_EQ(platform.messages.size(), 1u);
    const std::string message = toUtf8(platform.messages[0]);
    EXPECT_NE(message.find(toUtf8(shownPath(notesPath()))), std::string::npos) << message;
    EXPECT_NE(message.find("directory"), std::string::npos) << "the system's reason: " << message;
    EXPECT_NE(platform.messages[0], noNotesYetMessage());

    // Once the file can be read the same button shows it.
    std::filesystem::remove(notesPath());
    writeBytes(notesPath(), "n");
    form.click(cmd_display_note_file);
    EXPECT_EQ(displayBox(), u"Bn");
}

TEST_F(NotesViewer, ShowsTheNotesRecordJustWritten) {
    platform.boxes[txt_answer] = u"my own note";
    form.click(cmd_save_as_notes);
    ASSERT_EQ(displayBox(), u"") << "the record empties the display box";
    form.click(cmd_display_note_file);
    const std::string shown = toUtf8(displayBox());
    EXPECT_NE(shown.find("NOTES -------> my own note"), std::string::npos) << shown;
    EXPECT_EQ(shown.find('\r'), std::string::npos) << "the lines run together";
    EXPECT_EQ(displayBox(), state().workText);
}

}  // namespace
}  // namespace stepwise::testing
