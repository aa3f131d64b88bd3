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
    fs::path file(const std::string& bytes, const char* name = "speed.stepwise") {
        const fs::path path = temp.path() / name;
        writeFile(path, bytes);
        return path;
    }
    bool startWith(const fs::path& assignment) {
        form.useAssignmentFile(assignment);
        return start();
    }
    void answer(const Text& response) { platform.boxes[txt_answer] = response; }
    void next() { form.click(cmdNextQuestion); }
    void enter() { form.click(cmd_enter_response); }
    std::string codeLine() { return master().substr(0, master().find("\r\n")); }
};

TEST_F(AssignmentFileLesson, TheFileIsWorkedWithItsNumberTitleRatingsAndRecords) {
    ASSERT_TRUE(startWith(file(speedAssignment)));
    EXPECT_EQ(platform.prompts.size(), 2u) << "name and folder, as with the built-in assignment";
    EXPECT_EQ(state().assignmentNumber, u"007");
    EXPECT_EQ(state().nextAssignmentNumber, u"008");
    EXPECT_EQ(state().assignmentTitle, u"physics set");
    EXPECT_EQ(state().lineIndex, 1);
    EXPECT_EQ(state().scriptLines.at(1), u"007.  Speed and distance");
    EXPECT_EQ(state().scriptLines.at(2), u"`q001.  How far does a car go in 2 hours at 60 km/h?");
    EXPECT_EQ(state().scriptLines.at(3), u"");
    EXPECT_EQ(state().scriptLines.at(4), u"`aIt goes 120 km.{}Distance is speed \u00D7 time.");
    EXPECT_EQ(state().scriptLines.at(8), u"end program");
    EXPECT_EQ(state().scriptLines.at(9), u"");

    platform.onPrompt = [](const Text& message) { return message.find(u"confidence") != Text::npos ? Text(u"3") : Text(u"2"); };
    next();
    EXPECT_EQ(platform.boxes[txt_question], u"`q001.  How far does a car go in 2 hours at 60 km/h?");
    answer(u"120 km");
    enter();
    next();
    EXPECT_EQ(platform.boxes[txt_question], u"It goes 120 km.\r\nDistance is speed \u00D7 time.");
    EXPECT_EQ(state().blockKind, u"answer");
    answer(u"I forgot the units");
    enter();
    next();
    const Text question2 = u"`q002.  What is \u221A16 + \u0394x when \u0394x = 1? (\u65E5\u672C, \U0001F642)";
    EXPECT_EQ(platform.boxes[txt_question], question2) << "shown as the characters themselves";
    answer(u"\u221A16 = 4");
    enter();
    next();
    EXPECT_EQ(platform.boxes[txt_question], u"end program");
    const std::size_t promptsBefore = platform.prompts.size();
    ASSERT_EQ(promptsBefore, 5u);
    EXPECT_NE(platform.prompts[2].find(u"confidence"), Text::npos);
    EXPECT_EQ(platform.prompts[3].find(u"confidence"), Text::npos) << "a self-critique after the worked answer";
    EXPECT_NE(platform.prompts[4].find(u"confidence"), Text::npos);

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

    next();  // past "end program": only empty lines are left
    EXPECT_FALSE(form.ended());
    EXPECT_EQ(platform.messages.size(), 1u);
}

// How a lesson ends: at "end program" it goes on; at the next assignment's header or at a routine
// that ends the program, it ends without showing the block.
TEST_F(AssignmentFileLesson, TheReadersEndRulesHoldForAFile) {
    struct Case {
        const char* what;
        std::string blocks;  // after the header
        bool ends;
        Text shown;  // the display box after the second click
    };
    const std::vector<Case> cases = {
        {"end program is a plain block", "---\n`q001.  One\n---\nend program\n", false, u"`q001.  Oneend program"},
        {"the next header ends it", "---\n`q001.  One\n---\n008.  The next assignment\n---\nend program\n", true,
         u"`q001.  One"},
        {"the next number ends it without its dot", "---\n`q001.  One\n---\n008 is next\n", true, u"`q001.  One"},
        {"another number does not", "---\n`q001.  One\n---\n009.  Not next\n---\nend program\n", false,
         u"`q001.  One009.  Not next"},
        {"a routine that ends the program", "---\n`q001.  One\n---\n`routine exit-prog\n---\nnever\n", true,
         u"`q001.  One"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        FakePlatform p(dir.path());
        MainForm f(p);
        writeFile(dir.path() / "a.stepwise", "007.  Ends\n" + c.blocks);
        f.useAssignmentFile(dir.path() / "a.stepwise");
        p.answers = {u"Ann Lee", u""};
        f.load();
        ASSERT_FALSE(f.ended()) << c.what;
        f.click(cmdNextQuestion);
        f.click(cmdNextQuestion);
        EXPECT_EQ(f.ended(), c.ends) << c.what;
        EXPECT_EQ(p.boxes[txt_question], c.shown) << c.what;
        EXPECT_EQ(p.exits, c.ends ? 1 : 0) << c.what;
    }
}

// A capital `Q is no question marker: the block keeps the kind of the block before it, so after
// a worked answer it asks for a self-critique, yet its number counts.
TEST_F(AssignmentFileLesson, ACapitalQKeepsTheBlockKindAndSetsTheNumber) {
    ASSERT_TRUE(startWith(file("003.  Capitals\n---\n`q001.  One\n---\n`a\n---\nAnswer\n---\n`Q002.  Two\n---\nend program\n")));
    for (int i = 0; i < 3; ++i) next();
    EXPECT_EQ(state().blockKind, u"answer");
    EXPECT_EQ(state().questionNumber, u"2");
    platform.answers = {u"1"};
    answer(u"mine");
    enter();
    ASSERT_EQ(platform.prompts.size(), 3u);
    EXPECT_EQ(platform.prompts[2].find(u"confidence"), Text::npos);
    EXPECT_NE(master().find("`questionNumber 30002 \r\n`Q002.  Two\r\n"), std::string::npos);
    EXPECT_NE(master().find("self critique assessment: 1\r\n"), std::string::npos);
}

TEST_F(AssignmentFileLesson, WithoutASetOptionTheHeadersTitleIsTheSetTitle) {
    ASSERT_TRUE(startWith(file("012.  Ratios \xE2\x88\x9A\n---\n`q001.  One\n---\nend program\n")));
    EXPECT_EQ(state().assignmentTitle, u"Ratios \u221A");
    EXPECT_EQ(state().nextAssignmentNumber, u"013");
    EXPECT_EQ(master().substr(codeLine().size()),
              "\r\nassignment #012\r\n012.  Ratios &#8730;\r\nRatios &#8730;\r\n12-07-2026\r\n");
}

bool permissionsAreIgnored() {
#ifdef _WIN32
    return true;
#else
    return geteuid() == 0;  // root reads every file whatever its permissions
#endif
}

// Each file is refused with one message naming it, and the run ends before the first prompt:
// no folder, no file.
TEST_F(AssignmentFileLesson, AFileThatCannotBeWorkedEndsTheProgramBeforeAnyPrompt) {
    struct Case {
        const char* what;
        std::function<fs::path(const fs::path& dir)> make;
        std::vector<std::string> said;  // in the message, after the file's name where it begins with ':'
        bool refused = true;
    };
    const auto bytes = [](std::string content) {
        return [content](const fs::path& dir) {
            writeFile(dir / "a.stepwise", content);
            return dir / "a.stepwise";
        };
    };
    std::string manyErrors = "007.  Many\n";
    for (int i = 0; i < 12; ++i) manyErrors += "colour: red\n";
    const std::vector<Case> cases = {
        {"a missing file", [](const fs::path& dir) { return dir / "missing.stepwise"; },
         {": error: the file cannot be read: "}},
        {"a folder", [](const fs::path& dir) { fs::create_directory(dir / "folder.stepwise"); return dir / "folder.stepwise"; },
         {": error: the file cannot be read: "}},
        {"a file too large", [](const fs::path& dir) {
             writeFile(dir / "big.stepwise", "");
             fs::resize_file(dir / "big.stepwise", largestAssignmentFile + 1);
             return dir / "big.stepwise";
         },
         {": error: the file cannot be read: it is larger than 16777216 bytes"}},
        {"an empty file", bytes(""), {":1: error: the file holds no assignment"}},
        {"a bad header", bytes("7.  Speed\n---\nend program\n"), {":1: error: the assignment header must be"}},
        {"an error inside", bytes("007.  Speed\n---\n`q001.  One\n---\n`q0x2.  Two\n---\nend program\n"),
         {":5: error: a question marker needs a three-digit number"}},
        {"errors beyond the tenth are counted", bytes(manyErrors),
         {":2: error: unknown option", ":11: error: unknown option", "... and 2 more errors."}},
        {"warnings alone do not stop a lesson", bytes("007.  Speed\n---\n`q001.  One\n"), {}, false},
    };
    for (const Case& c : cases) {
        TempDir dir;
        FakePlatform p(dir.path());
        MainForm f(p);
        const fs::path path = c.make(dir.path());
        f.useAssignmentFile(path);
        p.answers = {u"Ann Lee", u""};
        f.load();
        EXPECT_EQ(f.ended(), c.refused) << c.what;
        EXPECT_EQ(f.assignmentRefused(), c.refused) << c.what;
        EXPECT_EQ(fs::exists(dir.path() / "qwelrand"), !c.refused) << c.what;
        if (!c.refused) {
            EXPECT_TRUE(p.messages.empty()) << c.what;
            continue;
        }
        EXPECT_TRUE(p.prompts.empty()) << c.what;
        EXPECT_EQ(p.exits, 1) << c.what;
        ASSERT_EQ(p.messages.size(), 1u) << c.what;
        const Text& message = p.messages.front();
        EXPECT_EQ(message.find(Text(refusalOpening) + u"\r\n\r\n" + pathText(path)), 0u) << c.what << ": " << toUtf8(message);
        for (const std::string& said : c.said)
            EXPECT_NE(message.find(said.front() == ':' ? pathText(path) + fromUtf8(said) : fromUtf8(said)), Text::npos)
                << c.what << ": " << toUtf8(message);
    }
}

#ifndef _WIN32
TEST_F(AssignmentFileLesson, AFileThatIsNotRegularOrNotReadableIsRefused) {
    struct Case {
        const char* what;
        std::function<bool(const fs::path&)> make;  // false when it cannot be made here
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"a named pipe, which no writer may ever feed", [](const fs::path& p) { return ::mkfifo(p.c_str(), 0600) == 0; },
         "it is not a regular file"},
        {"a file its reader may not read",
         [](const fs::path& p) {
             writeFile(p, "007.  Speed\n---\nend program\n");
             fs::permissions(p, fs::perms::none);
             return !permissionsAreIgnored();
         },
         "Permission denied"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        FakePlatform p(dir.path());
        MainForm f(p);
        const fs::path path = dir.path() / "a.stepwise";
        if (!c.make(path)) continue;
        f.useAssignmentFile(path);
        f.load();
        EXPECT_TRUE(f.assignmentRefused()) << c.what;
        EXPECT_TRUE(p.prompts.empty()) << c.what;
        ASSERT_EQ(p.messages.size(), 1u) << c.what;
        EXPECT_NE(p.messages.front().find(pathText(path) + u": error: the file cannot be read: " + fromUtf8(c.reason)),
                  Text::npos)
            << toUtf8(p.messages.front());
        EXPECT_FALSE(fs::exists(dir.path() / "qwelrand")) << c.what;
    }
}
#endif

// The built-in assignment written out as a file: header, set: ovla set, the blocks between ---
// lines, each paragraph on a line of its own with a blank line between paragraphs.
std::string builtinAsFile() {
    const std::vector<std::u16string>& lines = builtinAssignment();
    std::string file = toUtf8(lines.front()) + "\nset: ovla set\n";
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty()) continue;
        Text block = lines[i];
        for (std::size_t at = block.find(u"\r\n"); at != Text::npos; at = block.find(u"\r\n", at)) block.replace(at, 2, u"\n");
        file += "---\n" + toUtf8(block) + "\n";
    }
    return file;
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
    writeFile(fileDir.path() / "rates.stepwise", builtinAsFile());
    fromFile.useAssignmentFile(fileDir.path() / "rates.stepwise");
    workWholeLesson(builtin, builtinPlatform);
    workWholeLesson(fromFile, filePlatform);
    ASSERT_FALSE(fromFile.ended()) << (filePlatform.messages.empty() ? "" : toUtf8(filePlatform.messages.front()));
    EXPECT_EQ(fromFile.state().assignmentNumber, builtin.state().assignmentNumber);
    EXPECT_EQ(fromFile.state().assignmentTitle, u"ovla set");

    // Everything but the code line, whose random characters are each run's own.
    const auto afterCodeLine = [](const std::string& bytes) { return bytes.substr(std::min(bytes.find("\r\n"), bytes.size())); };
    for (const char* name : {"masterFile_Ann_Lee.txt", "send_1207Ann_Lee.txt"}) {
        const std::string expected = afterCodeLine(readBytes(builtinDir.path() / "qwelrand" / name));
        EXPECT_GT(expected.size(), 20000u) << name;
        EXPECT_EQ(afterCodeLine(readBytes(fileDir.path() / "qwelrand" / name)), expected) << name;
    }
    const std::string notes = readBytes(builtinDir.path() / "qwelrand" / "notes_Ann_Lee.txt");
    EXPECT_GT(notes.size(), 5000u);
    EXPECT_EQ(readBytes(fileDir.path() / "qwelrand" / "notes_Ann_Lee.txt"), notes);
}

}  // namespace
}  // namespace stepwise::testing
