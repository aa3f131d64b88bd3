#include <gtest/gtest.h>

#include <fstream>

#ifdef __linux__
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "records/record_files.h"
#include "records/record_fixture.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;

// The system's reason for a path that runs through a file: Windows reports such a path as not found.
#ifdef _WIN32
constexpr char16_t pathThroughAFile[] = u"No such file or directory";
#else
constexpr char16_t pathThroughAFile[] = u"Not a directory";
#endif

class RecordFailure : public RecordTest {
protected:
    void showQuestion() {
        showBlock(u"`q003.  block", u"question", u"3");
        type(u"my answer");
        platform.answers = {u"3"};
    }
    // One message naming the file and the system's reason; both boxes and the pending block kept.
    void expectReportedAndKept(const Text& path, const Text& reason) {
        ASSERT_EQ(platform.messages.size(), 1u);
        const Text& message = platform.messages[0];
        EXPECT_NE(message.find(platform.displayPath(path)), Text::npos) << toUtf8(message);
#ifndef _WIN32
        EXPECT_EQ(message.find(u"c:\\"), Text::npos) << "the path as the system names it: " << toUtf8(message);
#endif
        EXPECT_NE(message.find(reason), Text::npos) << toUtf8(message);
        EXPECT_EQ(display(), u"`q003.  block");
        EXPECT_EQ(response(), u"my answer");
        EXPECT_TRUE(state().responsePending);
        EXPECT_FALSE(platform.isFileOpen(1) || platform.isFileOpen(2) || platform.isFileOpen(3));
    }
    void expectNoRecordAnywhere() {
        EXPECT_EQ(master(), masterBefore);
        EXPECT_EQ(send(), sendBefore);
        EXPECT_EQ(notes(), "");
    }
    // Takes away the write permission of the output folder; false when this process may write
    // there all the same (root), so that permissions cannot make a file fail.
    bool makeFolderReadOnly() {
        fs::permissions(outputFolder(), fs::perms::owner_write, fs::perm_options::remove);
        const fs::path probe = outputFolder() / "probe";
        if (!std::ofstream(probe)) return true;
        fs::remove(probe);
        fs::permissions(outputFolder(), fs::perms::owner_write, fs::perm_options::add);
        return false;
    }
};

TEST_F(RecordFailure, AMissingFolderIsReportedAndTheNextClickRecordsOnceItIsBack) {
    fs::remove_all(outputFolder());
    for (const ControlId button : {ControlId::cmd_enter_response, ControlId::cmd_save_as_notes}) {
        platform.messages.clear();
        showQuestion();
        form.click(button);
        expectReportedAndKept(state().masterFilePath, u"No such file or directory");
        EXPECT_FALSE(fs::exists(outputFolder()));
        EXPECT_EQ(platform.prompts.size(), 2u) << "no rating is asked for a record that cannot be written";
    }

    fs::create_directories(outputFolder());
    enterResponse();
    EXPECT_EQ(send(), separator + "\r\n" + indent + "14:05:09\r\n`q003.  block\r\n" + separator +
                          "\r\nRESPONSE -->  \r\nmy answer\r\nconfidence assessment:  3\r\n" + closing + "\r\n");
    EXPECT_EQ(response(), u"");
}

TEST_F(RecordFailure, ASendFileThatCannotBeOpenedLeavesTheMasterFileAsItWas) {
    std::ofstream(outputFolder() / "blocker") << "a file where a folder should be";
    state().sendFilePath = u"c:\\qwelrand\\blocker\\send.txt";
    showQuestion();
    enterResponse();
    expectReportedAndKept(u"c:\\qwelrand\\blocker\\send.txt", pathThroughAFile);
    expectNoRecordAnywhere();
    EXPECT_EQ(platform.prompts.size(), 2u);
}

TEST_F(RecordFailure, ANotesFileThatCannotBeOpenedLeavesTheOtherTwoAsTheyWere) {
    std::ofstream(outputFolder() / "blocker") << "a file where a folder should be";
    state().notesFilePath = u"c:\\qwelrand\\blocker\\notes.txt";
    showQuestion();
    saveAsNotes();
    expectReportedAndKept(u"c:\\qwelrand\\blocker\\notes.txt", pathThroughAFile);
    expectNoRecordAnywhere();
}

TEST_F(RecordFailure, AFullDiskRollsBackTheFilesAlreadyWritten) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no always-full device on this system";
    state().sendFilePath = u"/dev/full";
    showQuestion();
    enterResponse();
    expectReportedAndKept(u"/dev/full", u"No space left on device");
    EXPECT_EQ(master(), masterBefore) << "the master file was written first and taken back";

    platform.messages.clear();
    state().sendFilePath = u"c:\\qwelrand\\send_1207Ann_Lee.txt";
    state().notesFilePath = u"/dev/full";
    saveAsNotes();
    expectReportedAndKept(u"/dev/full", u"No space left on device");
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(send(), sendBefore);
}

TEST_F(RecordFailure, FilesThatMayNotBeWrittenAreReported) {
    if (!makeFolderReadOnly()) GTEST_SKIP() << "this user may write whatever the permissions say (root)";
    showQuestion();
    saveAsNotes();  // the notes file does not exist yet and cannot be created
    expectReportedAndKept(state().notesFilePath, u"Permission denied");
    fs::permissions(outputFolder(), fs::perms::owner_write, fs::perm_options::add);
    expectNoRecordAnywhere();

    platform.messages.clear();
    fs::permissions(outputFolder() / "masterFile_Ann_Lee.txt", fs::perms::owner_write, fs::perm_options::remove);
    enterResponse();
    expectReportedAndKept(state().masterFilePath, u"Permission denied");
    EXPECT_EQ(send(), sendBefore);
}

TEST_F(RecordFailure, AFileThatKeptTheRecordIsNamedSoTheStudentDoesNotClickAgain) {
    const FileError error{u"c:\\qwelrand\\send_1207Ann_Lee.txt", u"No space left on device", false,
                          {u"c:\\qwelrand\\masterFile_Ann_Lee.txt"}};
    for (const auto& [command, button] : {std::pair{RecordCommand::enterResponse, u"\"Enter Response\""},
                                          std::pair{RecordCommand::saveAsNotes, u"\"Save as Notes\""}}) {
        platform.messages.clear();
        reportUnrecorded(platform, error, command);
        ASSERT_EQ(platform.messages.size(), 1u);
        const Text& message = platform.messages[0];
        EXPECT_NE(message.find(u"send_1207Ann_Lee.txt could not be written (No space left on device)"), Text::npos);
        EXPECT_NE(message.find(u"could not be taken back out of " + shownPath(outputFolder() / "masterFile_Ann_Lee.txt") + u", which keeps it"),
                  Text::npos)
            << toUtf8(message);
        EXPECT_NE(message.find(Text(u"do not click ") + button + u" again"), Text::npos) << toUtf8(message);
        EXPECT_EQ(message.find(u"Nothing of this record"), Text::npos);
    }
}

#ifdef __linux__
// A pipe keeps what went into it: the notes sent into one cannot be taken back.
TEST_F(RecordFailure, NotesThatWentIntoAPipeAreReportedAsKeptThereAndTakenOutOfTheOtherFiles) {
    const fs::path pipe = outputFolder() / "notes_pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const int reader = open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    state().notesFilePath = u"c:\\qwelrand\\notes_pipe";
    showQuestion();
    saveAsNotes();
    close(reader);
    expectReportedAndKept(u"c:\\qwelrand\\notes_pipe", u"Invalid argument");
    EXPECT_NE(platform.messages[0].find(u"could not be taken back out of " + shownPath(outputFolder() / "notes_pipe")), Text::npos)
        << toUtf8(platform.messages[0]);
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(send(), sendBefore);
}
#endif

}  // namespace
}  // namespace stepwise::testing
