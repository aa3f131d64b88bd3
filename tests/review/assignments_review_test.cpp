// A class that worked assignment files beside the built-in one: each session read against the
// assignment its lesson header names, the blocks of an assignment file given their kinds, the
// files given with --assignment checked before anything is read.
#include <fstream>
#include <map>

#include "format/assignment_file.h"
#include "format/builtin_assignment.h"
#include "handin/known_assignments.h"
#include "review/review_program_fixture.h"
#include "review/spreadsheet_csv_reader.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;
using handin::BlockKind;

const char* const speedFile =
    "007.  Speed and distance\n"
    "set: physics set\n"
    "---\n"
    "Read each question.\n"
    "---\n"
    "`q001.  How far does a car go in 2 hours at 60 km/h?\n"
    "---\n"
    "`a\n"
    "---\n"
    "It goes 120 km.\n"
    "---\n"
    "Note the units.\n"
    "---\n"
    "`Q002.  And in 3 hours?\n"
    "---\n"
    "`q003.  And in 4 hours?\n"
    "---\n"
    "`a240 km.\n"
    "---\n"
    "Note the units.\n"
    "---\n"
    "end program\n";

Assignment speed() { return readAssignment(speedFile); }

TEST(KnownAssignments, AnAssignmentFilesBlocksTakeTheirKindsAndQuestions) {
    const handin::KnownAssignment known = handin::knownAssignmentOf(speed(), "speed.stepwise");
    struct Expected {
        const char16_t* line;
        int index;
        std::optional<int> question;
        BlockKind kind;
    };
    const Expected expected[] = {
        {u"Read each question.", 2, std::nullopt, BlockKind::plain},
        {u"`q001.  How far does a car go in 2 hours at 60 km/h?", 4, 1, BlockKind::question},
        {u"It goes 120 km.", 6, 1, BlockKind::workedAnswer},  // marked by the lone `a before it
        {u"Note the units.", 8, 1, BlockKind::plain},
        {u"`Q002.  And in 3 hours?", 10, 2, BlockKind::plain},  // a capital marker: a number, not a question
        {u"`q003.  And in 4 hours?", 12, 3, BlockKind::question},
        {u"240 km.", 14, 3, BlockKind::workedAnswer},  // the marker taken off, as the reader shows it
        {u"Note the units.", 16, 3, BlockKind::plain},
        {u"end program", 18, std::nullopt, BlockKind::end},
    };
    ASSERT_EQ(known.blocks.size(), std::size(expected));
    for (std::size_t i = 0; i < known.blocks.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(known.blocks[i].line, Text(expected[i].line));
        EXPECT_EQ(known.blocks[i].id.scriptIndex, expected[i].index);
        EXPECT_EQ(known.blocks[i].id.questionNumber, expected[i].question);
        EXPECT_EQ(known.blocks[i].id.kind, expected[i].kind);
    }
    EXPECT_EQ(known.questions, (std::vector<int>{1, 3})) << "the questions the reader classifies as such";
    // A text found twice is the first occurrence after the block before it.
    EXPECT_EQ(known.identify(u"Note the units.").scriptIndex, 8);
    EXPECT_EQ(known.identify(u"Note the units.", 8).scriptIndex, 16);
    EXPECT_EQ(known.identify(u"Note the units.", 16).scriptIndex, 8);
    EXPECT_EQ(known.identify(u"`a240 km.").kind, BlockKind::unknown);
}

TEST(KnownAssignments, TheBuiltInsCopyIsTheBuiltInAndTwinHeadersAreRefused) {
    // The built-in written as an assignment file, each block a paragraph on one line.
    std::string exported = "001.  Rates\nset: ovla set\n";
    const std::vector<Text>& script = builtinAssignment();
    for (std::size_t i = 1; i < script.size(); ++i)
        if (!script[i].empty()) {
            std::string block = toUtf8(script[i]);
            for (std::size_t at; (at = block.find("\r\n")) != std::string::npos;) block.replace(at, 2, "\n");
            exported += "---\n" + block + "\n";
        }
    const Assignment copy = readAssignment(exported);
    ASSERT_FALSE(copy.hasErrors());
    EXPECT_TRUE(handin::isBuiltinCopy(copy));
    Assignment changed = copy;
    changed.blocks[3].text += u" ";
    EXPECT_FALSE(handin::isBuiltinCopy(changed));

    handin::KnownAssignments known;
    EXPECT_EQ(known.add(copy, "001-rates.stepwise"), std::nullopt);
    EXPECT_EQ(known.all().size(), 1u) << "taken as the built-in";
    EXPECT_EQ(known.add(speed(), "speed.stepwise"), std::nullopt);
    const std::optional<std::string> twin = known.add(speed(), "speed-v2.stepwise");
    ASSERT_TRUE(twin);
    EXPECT_NE(twin->find("speed-v2.stepwise and speed.stepwise"), std::string::npos) << *twin;
    const std::optional<std::string> builtinTwin = known.add(changed, "rates-edited.stepwise");
    ASSERT_TRUE(builtinTwin);
    EXPECT_NE(builtinTwin->find("the built-in assignment"), std::string::npos) << *builtinTwin;
}

class AssignmentsReviewTest : public ReviewProgramTest {
protected:
    // Cy's hand-in turned into a session of the speed assignment: its header names it, and its
    // first two records answer its first question and the worked answer.
    void writeSpeedHandin(const fs::path& path) const {
        std::string bytes = readBytes(folder() / "send_1209Cy.txt");
        replace(bytes, "001.  Rates", "007.  Speed and distance");
        replace(bytes, "ovla set", "physics set");
        replaceBlock(bytes, 0, "`q001.  How far does a car go in 2 hours at 60 km/h?");
        replaceBlock(bytes, 1, "It goes 120 km.");
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static void replace(std::string& bytes, const std::string& from, const std::string& to) {
        bytes.replace(bytes.find(from), from.size(), to);
    }
    // The block of the n-th record (from 0): the lines between its time and its response label.
    static void replaceBlock(std::string& bytes, int n, const std::string& block) {
        std::size_t at = 0;
        for (int i = 0; i <= n; ++i) at = bytes.find("`q0", at + 1);
        const std::size_t end = bytes.find("\r\n......!!!!", at);
        bytes.replace(at, end - at, block);
    }
    void writeAssignment(const fs::path& path, const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }
};

TEST_F(AssignmentsReviewTest, SessionsAreReadAgainstTheAssignmentTheirHeaderNames) {
    writeAssignment(output("speed.stepwise"), speedFile);
    const fs::path speedHandin = output("send_1210Cy.txt");
    writeSpeedHandin(speedHandin);
    std::string unknown = readBytes(folder() / "send_1209Cy.txt");
    replace(unknown, "001.  Rates", "009.  Unknown");
    std::ofstream(output("send_1211Dee.txt"), std::ios::binary) << unknown;
    std::ofstream(output("send_1212Dee.txt"), std::ios::binary) << unknown;

    const ProgramRun result = run({"--assignment", output("speed.stepwise").string(), "--csv", output("class.csv").string(),
                                   (folder() / "send_1209Cy.txt").string(), speedHandin.string(),
                                   output("send_1211Dee.txt").string(), output("send_1212Dee.txt").string()});
    EXPECT_EQ(result.status, 1) << result.err;
    const auto rows = review::readSpreadsheetCsv(readBytes(output("class.csv"))).rows;
    ASSERT_GT(rows.size(), 3u);
    EXPECT_EQ(rows[0].back(), "assignment") << "the last column";
    int builtin = 0, speedRows = 0;
    for (const auto& row : rows) {
        if (row.back() == "001.  Rates") ++builtin;
        if (row.back() != "007.  Speed and distance") continue;
        if (speedRows == 0) EXPECT_EQ((std::vector<std::string>{row[6], row[7], row[8]}), (std::vector<std::string>{"4", "1", "question"}));
        if (speedRows == 1) EXPECT_EQ((std::vector<std::string>{row[6], row[7], row[8]}), (std::vector<std::string>{"6", "1", "worked answer"}));
        ++speedRows;
    }
    EXPECT_EQ(builtin, 12) << "Cy's built-in session keeps its blocks";
    EXPECT_EQ(speedRows, 12);
    const std::string once = "sessions of 009.  Unknown: give its file with --assignment";
    ASSERT_NE(result.err.find(once), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(once), result.err.rfind(once)) << "reported once, not per session or check";
    EXPECT_EQ(result.err.find("names another assignment"), std::string::npos) << result.err;
}

TEST_F(AssignmentsReviewTest, AssignmentFilesThatCannotBeUsedStopTheRunBeforeAnythingIsWritten) {
    struct Row {
        const char* what;
        std::map<std::string, std::string> files;  // under the test's folder
        std::vector<std::string> given;            // --assignment values, under the test's folder
        int status;
        std::vector<std::string> reported;
    };
    const Row rows[] = {
        {"an error in a file", {{"bad.stepwise", "007.  X\n---\n`qab. hi\n---\nend program\n"}}, {"bad.stepwise"}, 2,
         {"bad.stepwise:3: error: "}},
        {"two versions of one assignment",
         {{"speed.stepwise", speedFile}, {"old/speed.stepwise", std::string(speedFile) + "---\nmore\n"}},
         {"speed.stepwise", "old"}, 2, {"have the same header line \"007.  Speed and distance\""}},
        {"a file that is not there", {}, {"missing.stepwise"}, 2, {"missing.stepwise: the file cannot be read"}},
        {"an empty folder", {{"empty/readme.txt", "x"}}, {"empty"}, 2, {"holds no assignment file"}},
        {"one file given by two spellings",
         {{"set/speed.stepwise", speedFile}}, {"set", "set/../set/speed.stepwise"}, 0, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        TempDir root;
        for (const auto& [name, text] : row.files) {
            fs::create_directories((root.path() / name).parent_path());
            writeAssignment(root.path() / name, text);
        }
        std::vector<std::string> args = {"--csv", (root.path() / "class.csv").string()};
        for (const std::string& given : row.given) args.insert(args.end(), {"--assignment", (root.path() / given).string()});
        args.push_back((folder() / "send_1209Cy.txt").string());
        const ProgramRun result = run(args);
        EXPECT_EQ(result.status, row.status) << result.err;
        for (const std::string& message : row.reported) EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        EXPECT_EQ(fs::exists(root.path() / "class.csv"), row.status == 0) << "nothing written on a usage error";
    }
}

}  // namespace
}  // namespace stepwise::testing
