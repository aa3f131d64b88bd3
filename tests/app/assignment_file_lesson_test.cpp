// A lesson worked from an assignment file on the fake platform: the file's blocks, markers and
// numbers drive the same reader, ratings, records and lesson header as the built-in assignment,
// and a file that cannot be worked stops the program before anything is asked or written.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/worked_assignment.h"
#include "format/assignment_writer.h"
#include "format/builtin_assignment.h"
#include "support/lesson_fixture.h"
#include "system/path_text.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;
using enum ControlId;

const std::string sep = "......!!!!!!!!...................................\r\n";
const std::string stamp = std::string(36, ' ') + "14:05:09\r\n";
const std::string closing = ".................................................\r\n";

// A question, its worked answer (marked by a lone `a), a question in characters that Windows-1252
// lacks, and the end.
const std::string speedAssignment =
    "007.  Speed and distance\n"
    "set: physics set\n"
    "---\n"
    "`q001.  How far does a car go\n"
    "in 2 hours at 60 km/h?\n"
    "---\n"
    "`a\n"
    "---\n"
    "It goes 120 km.{}Distance is speed \xC3\x97 time.\n"
    "---\n"
    "`q002.  What is \xE2\x88\x9A" "16 + \xCE\x94x when \xCE\x94x = 1? (\xE6\x97\xA5\xE6\x9C\xAC, \xF0\x9F\x99\x82)\n"
    "---\n"
    "end program\n";

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class AssignmentFileLesson : public LessonTest {
protected:
    fs::path file(const std::string& bytes) {
        const fs::path path = temp.path() / "speed.stepwise";
        writeFile(path, bytes);
        return path;
    }
    bool startWith(const fs::path& assignment) {
        form.useAssignmentFile(assignment);
        return start();
    }
    std::string codeLine() { return master().substr(0, master().find("\r\n")); }
};

TEST_F(AssignmentFileLesson, TheFileIsWorkedWithItsNumberTitleRatingsAndRecords) {
    ASSERT_TRUE(startWith(file(speedAssignment)));
    EXPECT_EQ(platform.prompts.size(), 2u) << "name and folder, as with the built-in assignment";
    EXPECT_EQ(state().nextAssignmentNumber, u"008");
    EXPECT_EQ(state().lineIndex, 1);
    EXPECT_EQ(state().scriptLines.at(3), u"");
    EXPECT_EQ(state().scriptLines.at(4), u"`aIt goes 120 km.{}Distance is speed \u00D7 time.");
    EXPECT_EQ(state().scriptLines.at(8), u"end program");

    platform.onPrompt = [](const Text& message) { return message.find(u"confidence") != Text::npos ? Text(u"3") : Text(u"2"); };
    const std::vector<std::pair<Text, Text>> shownAndAnswered = {
        {u"`q001.  How far does a car go in 2 hours at 60 km/h?", u"120 km"},
        {u"It goes 120 km.\r\nDistance is speed \u00D7 time.", u"I forgot the units"},
        {u"`q002.  What is \u221A16 + \u0394x when \u0394x = 1? (\u65E5\u672C, \U0001F642)", u"\u221A16 = 4"},
    };
    for (const auto& [shown, answered] : shownAndAnswered) {
        form.click(cmdNextQuestion);
        EXPECT_EQ(platform.boxes[txt_question], shown);
        platform.boxes[txt_answer] = answered;
        form.click(cmd_enter_response);
    }
    form.click(cmdNextQuestion);
    EXPECT_EQ(platform.boxes[txt_question], u"end program");

    const std::string header = "\r\nassignment #007\r\n007.  Speed and distance\r\nphysics set\r\n12-07-2026\r\n";
    const std::string block1 = "`q001.  How far does a car go in 2 hours at 60 km/h?\r\n";
    const std::string block2 = "It goes 120 km.{}Distance is speed \xD7 time.\r\n";
    const std::string block3 = "`q002.  What is &#8730;16 + &#916;x when &#916;x = 1? (&#26085;&#26412;, &#128578;)\r\n";
    const std::string response1 = sep + "RESPONSE -->  \r\n120 km\r\nconfidence assessment:  3\r\n" + closing;
    const std::string response2 = sep + "RESPONSE -->  \r\nI forgot the units\r\nself critique assessment: 2\r\n" + closing;
    const std::string response3 = sep + "RESPONSE -->  \r\n&#8730;16 = 4\r\nconfidence assessment:  3\r\n" + closing;
    EXPECT_EQ(send(), codeLine() + header + sep + stamp + block1 + response1 + sep + stamp + block2 + response2 + sep +
                          stamp + block3 + response3);
    const std::string numberLine = "\r\n\r\n`questionNumber 70001 \r\n";
    EXPECT_EQ(master(), codeLine() + header + sep + stamp + numberLine + block1 + response1 + sep + stamp +
                            numberLine + block2 + response2 + sep + stamp + "\r\n\r\n`questionNumber 70002 \r\n" +
                            block3 + response3);
}

TEST_F(AssignmentFileLesson, WithoutASetOptionTheHeadersTitleIsTheSetTitle) {
    ASSERT_TRUE(startWith(file("012.  Ratios \xE2\x88\x9A\n---\nend program\n")));
    EXPECT_EQ(master().substr(codeLine().size()),
              "\r\nassignment #012\r\n012.  Ratios &#8730;\r\nRatios &#8730;\r\n12-07-2026\r\n");
}

// A lesson ends at the next assignment's header without showing it; "end program" is shown.
TEST_F(AssignmentFileLesson, TheReadersEndRuleHoldsForAFile) {
    const std::vector<std::tuple<std::string, bool, Text>> cases = {  // blocks, ends, shown after two clicks
        {"---\n`q001.  One\n---\nend program\n", false, u"`q001.  Oneend program"},
        {"---\n`q001.  One\n---\n008.  The next one\n", true, u"`q001.  One"},
        {"---\n`q001.  One\n---\n009.  Not next\n", false, u"`q001.  One009.  Not next"},
    };
    for (const auto& [blocks, ends, shown] : cases) {
        TempDir dir;
        FakePlatform p(dir.path());
        p.answers = {u"Ann Lee", u""};  // the name, and no change of folder
        MainForm f(p);
        writeFile(dir.path() / "a.stepwise", "007.  Ends\n" + blocks);
        f.useAssignmentFile(dir.path() / "a.stepwise");
        f.load();
        f.click(cmdNextQuestion);
        f.click(cmdNextQuestion);
        EXPECT_EQ(f.ended(), ends) << blocks;
        EXPECT_EQ(p.boxes[txt_question], shown) << blocks;
    }
}

// Each refused file gets one message that names it (and the line), and the run ends before the
// first prompt: no folder, no file.
TEST_F(AssignmentFileLesson, AFileThatCannotBeWorkedEndsTheProgramBeforeAnyPrompt) {
    struct Case {
        const char* what;
        std::string content;  // of a.stepwise, unless `make` makes the path itself
        std::vector<std::string> said;  // in the message, after the file's name where it begins with ':'
        std::function<bool(const fs::path&)> make = nullptr;  // false: not to be made here
    };
    std::string manyErrors = "007.  Many\n";
    for (int i = 0; i < 12; ++i) manyErrors += "colour: red\n";
    const std::string unreadable = ": error: the file cannot be read: ";
    const std::vector<Case> cases = {
        {"a missing file", "", {unreadable + "No such file or directory"}, [](const fs::path&) { return true; }},
        {"a folder", "", {unreadable}, [](const fs::path& f) { return fs::create_directory(f); }},
        {"a file too large", "", {unreadable + "it is larger than 16777216 bytes"},
         [](const fs::path& f) { writeFile(f, ""); fs::resize_file(f, largestAssignmentFile + 1); return true; }},
#ifndef _WIN32
        {"a named pipe", "", {unreadable + "it is not a regular file"},
         [](const fs::path& f) { return ::mkfifo(f.c_str(), 0600) == 0; }},
        {"a file that may not be read", "", {unreadable + "Permission denied"},
         [](const fs::path& f) { writeFile(f, "007.  A\n"); fs::permissions(f, fs::perms::none); return geteuid() != 0; }},
#endif
        {"an empty file", "", {":1: error: the file holds no assignment"}},
        {"a bad header", "7.  Speed\n---\nend program\n", {":1: error: the assignment header must be"}},
        {"an error inside", "007.  Speed\n---\n`q001.  One\n---\n`q0x2.  Two\n---\nend program\n",
         {":5: error: a question marker needs a three-digit number"}},
        {"errors beyond the tenth are counted", manyErrors, {":11: error: unknown option", "... and 2 more errors."}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        FakePlatform p(dir.path());
        MainForm f(p);
        const fs::path path = dir.path() / "a.stepwise";
        if (c.make ? !c.make(path) : (writeFile(path, c.content), false)) continue;  // root reads anything
        f.useAssignmentFile(path);
        f.load();
        EXPECT_TRUE(f.assignmentRefused()) << c.what;
        EXPECT_TRUE(p.prompts.empty()) << c.what;
        EXPECT_EQ(p.exits, 1) << c.what;
        EXPECT_FALSE(fs::exists(dir.path() / "qwelrand")) << c.what;
        ASSERT_EQ(p.messages.size(), 1u) << c.what;
        const Text& message = p.messages.front();
        EXPECT_EQ(message.find(Text(refusalOpening) + u"\r\n\r\n" + pathText(path)), 0u) << toUtf8(message);
        for (const std::string& said : c.said)
            EXPECT_NE(message.find(said.front() == ':' ? pathText(path) + fromUtf8(said) : fromUtf8(said)), Text::npos)
                << c.what << ": " << toUtf8(message);
    }
}

TEST_F(AssignmentFileLesson, WarningsAloneDoNotStopALesson) {
    EXPECT_TRUE(startWith(file("007.  Speed\n---\n`q001.  One\n")));  // no end program
    EXPECT_TRUE(platform.messages.empty());
}

// Works the whole lesson: every block answered, rated and saved as notes every third time.
void workWholeLesson(MainForm& form, FakePlatform& platform) {
    platform.answers = {u"Ann Lee", u""};
    form.load();
    platform.onPrompt = [](const Text&) { return Text(u"2"); };
    for (int click = 1; click <= 25; ++click) {
        form.click(cmdNextQuestion);
        platform.boxes[txt_answer] = u"reply " + fromUtf8(std::to_string(click));
        form.click(click % 3 == 0 ? cmd_save_as_notes : cmd_enter_response);
    }
}

TEST_F(AssignmentFileLesson, TheBuiltInAssignmentAsAFileWritesWhatTheBuiltInWrites) {
    TempDir builtinDir, fileDir;
    FakePlatform builtinPlatform(builtinDir.path()), filePlatform(fileDir.path());
    MainForm builtin(builtinPlatform), fromFile(filePlatform);
    writeFile(fileDir.path() / "rates.stepwise", writeAssignmentFile(builtinAssignmentSource()));  // as stepwise-author builtin writes it
    fromFile.useAssignmentFile(fileDir.path() / "rates.stepwise");
    workWholeLesson(builtin, builtinPlatform);
    workWholeLesson(fromFile, filePlatform);
    // Everything but the code line, whose random characters are each run's own.
    const auto afterCodeLine = [](const std::string& bytes) { return bytes.substr(std::min(bytes.find("\r\n"), bytes.size())); };
    for (const char* name : {"masterFile_Ann_Lee.txt", "send_1207Ann_Lee.txt", "notes_Ann_Lee.txt"}) {
        const std::string expected = afterCodeLine(readBytes(builtinDir.path() / "qwelrand" / name));
        EXPECT_GT(expected.size(), 5000u) << name;
        EXPECT_EQ(afterCodeLine(readBytes(fileDir.path() / "qwelrand" / name)), expected) << name;
    }
}

}  // namespace
}  // namespace stepwise::testing
