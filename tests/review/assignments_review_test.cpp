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
#include "support/handin_writer.h"

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
    void writeAssignment(const fs::path& path, const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }
};

// The CSV's block, question and block kind of each row of an assignment, in order.
std::vector<std::vector<std::string>> rowsOf(const std::vector<std::vector<std::string>>& rows, const std::string& student,
                                             const std::string& assignment) {
    std::vector<std::vector<std::string>> found;
    for (const auto& row : rows)
        if (row[0] == student && row.back() == assignment) found.push_back({row[5], row[6], row[7], row[8]});
    return found;
}

TEST_F(AssignmentsReviewTest, SessionsAreReadAgainstTheAssignmentTheirHeaderNames) {
    // Bea works the built-in and the speed assignment on one day, in one SEND file; Cal works the
    // speed assignment on another day; Dee hands in two days of an assignment nobody gave.
    TempDir root;
    const fs::path speedPath = root.path() / "speed.stepwise";
    writeAssignment(speedPath, speedFile);
    HandinWriter writer(root.path());
    writer.startLesson(u"Bea", {2026, 12, 10, 9, 0, 0});
    writer.show(questionIndex(1));
    writer.respond(30, u"I understand.", u"3");
    writer.startLesson(u"Bea", {2026, 12, 10, 10, 0, 0}, speedPath);
    writer.show(4);
    writer.respond(30, u"120 km", u"2");
    writer.show(6);
    writer.respond(20, u"I was right.", u"3");
    writer.show(8);
    writer.saveNotes(10, u"Units!");
    writer.startLesson(u"Cal", {2026, 12, 11, 9, 0, 0}, speedPath);
    writer.show(12);
    writer.respond(30, u"240 km", u"1");
    std::string unknown = readBytes(folder() / "send_1209Cy.txt");
    unknown.replace(unknown.find("001.  Rates"), 11, "009.  Unknown");
    std::ofstream(writer.folder() / "send_1211Dee.txt", std::ios::binary) << unknown;
    unknown.replace(unknown.find("answer 1"), 8, "answer A");  // not the same bytes: both are read
    std::ofstream(writer.folder() / "send_1212Dee.txt", std::ios::binary) << unknown;

    const ProgramRun result = run({"--assignment", speedPath.string(), "--csv", (root.path() / "class.csv").string(),
                                   writer.folder().string()});
    EXPECT_EQ(result.status, 1) << result.err;
    const auto rows = review::readSpreadsheetCsv(readBytes(root.path() / "class.csv")).rows;
    ASSERT_GT(rows.size(), 1u);
    EXPECT_EQ(rows[0].back(), "assignment") << "the last column";
    using Rows = std::vector<std::vector<std::string>>;
    EXPECT_EQ(rowsOf(rows, "Bea", "001.  Rates"), (Rows{{"response", "2", "1", "instructions"}}));
    EXPECT_EQ(rowsOf(rows, "Bea", "007.  Speed and distance"),
              (Rows{{"response", "4", "1", "question"}, {"response", "6", "1", "worked answer"}, {"notes", "8", "1", "plain"}}));
    EXPECT_EQ(rowsOf(rows, "Cal", "007.  Speed and distance"), (Rows{{"response", "12", "3", "question"}}));
    EXPECT_EQ(rowsOf(rows, "Dee", "009.  Unknown").size(), 24u) << "read as ever, blocks unknown";
    const std::string once = "sessions of 009.  Unknown: give its file with --assignment";
    ASSERT_NE(result.err.find(once), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find(once), result.err.rfind(once)) << "reported once, not per session or check";
    EXPECT_EQ(result.err.find("send_1210Bea"), std::string::npos) << "Bea's sessions are clean\n" << result.err;
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
