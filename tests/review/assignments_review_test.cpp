// A class that worked assignment files beside the built-in one: each session read against the
// assignment its lesson header names, the blocks of an assignment file given their kinds, the
// files given with --assignment checked before anything is read.
#include <fstream>
#include <map>

#include "format/assignment_file.h"
#include "format/builtin_assignment.h"
#include "handin/known_assignments.h"
#include "review/class_model.h"
#include "review/marks_file.h"
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


// A class that worked the built-in assignment and the speed assignment: Bea both on one day, in one
// SEND file; Cal the built-in one day and the speed assignment the next, in two files.
class MixedClassTest : public AssignmentsReviewTest {
protected:
    void SetUp() override {
        AssignmentsReviewTest::SetUp();
        writeAssignment(speedPath, speedFile);
        HandinWriter writer(root.path());
        writer.startLesson(u"Bea", {2026, 12, 10, 9, 0, 0});
        writer.show(questionIndex(1));
        writer.respond(30, u"I understand.", u"3");
        writer.show(questionIndex(2));
        writer.respond(60, u"10 dollars per hour", u"2");
        writer.startLesson(u"Bea", {2026, 12, 10, 10, 0, 0}, speedPath);
        writer.show(4);
        writer.respond(30, u"120 km", u"2");
        writer.show(6);
        writer.respond(20, u"I was right.", u"3");
        writer.show(12);
        writer.respond(40, u"240 km", u"3");
        writer.saveNotes(10, u"Units!");
        writer.startLesson(u"Cal", {2026, 12, 10, 9, 0, 0});
        writer.show(questionIndex(1));
        writer.respond(30, u"Understood.", u"1");
        writer.startLesson(u"Cal", {2026, 12, 11, 9, 0, 0}, speedPath);
        writer.show(4);
        writer.respond(50, u"100 km", u"3");
        handins = writer.folder();
        // Marks given before assignments were named: the built-in's, without keys.
        std::ofstream(marksPath, std::ios::binary) << "student,question,confidence,mark,response\r\n"
                                                      "Bea,1,3,1,I understand.\r\n"
                                                      "Bea,2,2,0,10 dollars per hour\r\n"
                                                      "Cal,1,1,1,Understood.\r\n";
    }

    ProgramRun review(std::vector<std::string> outputs) {
        std::vector<std::string> args = {"--assignment", speedPath.string()};
        args.insert(args.end(), outputs.begin(), outputs.end());
        args.push_back(handins.string());
        return run(args);
    }

    std::vector<std::vector<std::string>> csv(const char* name) const {
        return review::readSpreadsheetCsv(readBytes(root.path() / name)).rows;
    }
    std::string at(const char* name) const { return (root.path() / name).string(); }

    TempDir root;
    const fs::path speedPath = root.path() / "speed.stepwise";
    const fs::path marksPath = root.path() / "marks.csv";
    fs::path handins;
};

const std::string rates = "001.  Rates";
const std::string speedName = "007.  Speed and distance";

// The rows of a CSV, the columns picked.
std::vector<std::vector<std::string>> columns(const std::vector<std::vector<std::string>>& rows,
                                              const std::vector<std::size_t>& picked) {
    std::vector<std::vector<std::string>> out;
    for (const auto& row : rows) {
        std::vector<std::string> cells;
        for (std::size_t c : picked) cells.push_back(c < row.size() ? row[c] : "<none>");
        out.push_back(cells);
    }
    return out;
}

TEST_F(MixedClassTest, EveryFigureIsCountedPerAssignmentAndOldMarksAreKept) {
    using Rows = std::vector<std::vector<std::string>>;
    const ProgramRun first = review({"--csv", at("class.csv"), "--marks", marksPath.string(), "--students-csv",
                                     at("students.csv"), "--assignments-csv", at("assignments.csv")});
    EXPECT_EQ(first.status, 0) << first.err;

    // Every record is identified: block kind and assignment of each, in the students' order.
    EXPECT_EQ(columns(csv("class.csv"), {0, 5, 7, 8, 14}),
              (Rows{{"student", "kind", "question", "block_kind", "assignment"},
                    {"Bea", "response", "1", "instructions", rates},
                    {"Bea", "response", "2", "question", rates},
                    {"Bea", "response", "1", "question", speedName},
                    {"Bea", "response", "1", "worked answer", speedName},
                    {"Bea", "response", "3", "question", speedName},
                    {"Bea", "notes", "3", "question", speedName},
                    {"Cal", "response", "1", "instructions", rates},
                    {"Cal", "response", "1", "question", speedName}}));

    // The old rows keep their marks and gain a key and the built-in assignment; the speed
    // assignment's answers are new rows of their own, question numbers of that assignment.
    const Rows marks = csv("marks.csv");
    ASSERT_EQ(marks.size(), 7u);
    EXPECT_EQ(marks[0], (std::vector<std::string>{"student", "question", "confidence", "mark", "response",
                                                  "answer_key", "assignment"}));
    EXPECT_EQ(columns(marks, {0, 1, 2, 3, 4, 6}),
              (Rows{{"student", "question", "confidence", "mark", "response", "assignment"},
                    {"Bea", "1", "3", "1", "I understand.", rates},
                    {"Bea", "2", "2", "0", "10 dollars per hour", rates},
                    {"Cal", "1", "1", "1", "Understood.", rates},
                    {"Bea", "1", "2", "", "120 km", speedName},
                    {"Bea", "3", "3", "", "240 km", speedName},
                    {"Cal", "1", "3", "", "100 km", speedName}}));
    for (std::size_t i = 1; i < marks.size(); ++i) EXPECT_EQ(marks[i][5].size(), 10u) << "a key: " << marks[i][5];

    // The instructor marks the speed answers: Bea's question 1 right, her question 3 and Cal's
    // question 1 wrong.
    std::string marked = readBytes(marksPath);
    for (const std::string& answer : {"120 km", "240 km", "100 km"}) {
        const std::size_t cell = marked.rfind(",,\"" + answer + "\"");
        ASSERT_NE(cell, std::string::npos) << marked;
        marked.insert(cell + 1, answer == "120 km" ? "1" : "0");
    }
    std::ofstream(marksPath, std::ios::binary) << marked;
    const ProgramRun second = review({"--marks", marksPath.string(), "--students-csv", at("students.csv"),
                                      "--assignments-csv", at("assignments.csv"), "--html", at("class.html"),
                                      "--feedback", at("feedback")});
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(readBytes(marksPath), marked) << "every row current, nothing to change";

    // Points: Bea 3 and -2 on the built-in, 2 and -6 on speed; Cal 1 on the built-in, -6 on speed.
    const std::vector<std::size_t> figures = {0, 1, 2, 4, 5, 6, 7, 8};
    EXPECT_EQ(columns(csv("students.csv"), figures),
              (Rows{{"student", "answered", "median_confidence", "notes", "marked", "right", "accuracy", "cbm_average"},
                    {"Bea", "4", "2.5", "1", "4", "2", "0.50", "-0.75"},
                    {"Cal", "2", "2", "0", "2", "1", "0.50", "-2.50"}}));
    std::vector<std::size_t> perAssignment = figures;
    perAssignment.push_back(9);
    EXPECT_EQ(columns(csv("assignments.csv"), perAssignment),
              (Rows{{"student", "answered", "median_confidence", "notes", "marked", "right", "accuracy", "cbm_average",
                     "assignment"},
                    {"Bea", "2", "2.5", "0", "2", "1", "0.50", "0.50", rates},
                    {"Bea", "2", "2.5", "1", "2", "1", "0.50", "-2.00", speedName},
                    {"Cal", "1", "1", "0", "1", "1", "1.00", "1.00", rates},
                    {"Cal", "1", "3", "0", "1", "0", "0.00", "-6.00", speedName}}));

    // The report: an overview per assignment, with a column per question of it.
    const std::string html = readBytes(root.path() / "class.html");
    EXPECT_NE(html.find("<h2>Class overview: 001.  Rates</h2>"), std::string::npos);
    const std::size_t speedOverview = html.find("<h2>Class overview: 007.  Speed and distance</h2>");
    ASSERT_NE(speedOverview, std::string::npos);
    const std::string speedTable = html.substr(speedOverview, html.find("</table>", speedOverview) - speedOverview);
    EXPECT_NE(speedTable.find("href=\"#a2-question-3\">3</a></th><th scope=\"col\">Answered of 2</th>"),
              std::string::npos) << speedTable;
    EXPECT_EQ(speedTable.find("#a2-question-2\""), std::string::npos) << "2 is not one of its questions";

    // Bea's feedback: each assignment with its questions and figures, in the order of their numbers.
    const std::string page = readBytes(root.path() / "feedback" / "Bea.html");
    const std::size_t ratesPart = page.find("<h2>001.  Rates</h2><p class=\"totals\">You answered 2 questions; 2 of your "
                                        "answers are marked, 1 of them right (50 %)");
    const std::size_t speedPart = page.find("<h2>007.  Speed and distance</h2><p class=\"totals\">You answered 2 "
                                         "questions; 2 of your answers are marked, 1 of them right (50 %)");
    ASSERT_NE(ratesPart, std::string::npos) << page;
    ASSERT_NE(speedPart, std::string::npos) << page;
    EXPECT_LT(ratesPart, speedPart);
    EXPECT_NE(page.find("id=\"assignment-2-question-3\"", speedPart), std::string::npos);
}

TEST_F(MixedClassTest, TheTerminalShowsALinePerStudentAndAssignment) {
    // Time on task is each assignment's own: Bea's 60 s on the built-in, 70 s on speed.
    const ProgramRun result = review({});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "Student  Assignment                Answered  Median confidence  Minutes  Notes  Problems\n"
              "Bea      001.  Rates                2 of 12                2.5      1.0      0         0\n"
              "Bea      007.  Speed and distance    2 of 2                2.5      1.2      1         0\n"
              "Cal      001.  Rates                1 of 12                  1      0.0      0         0\n"
              "Cal      007.  Speed and distance    1 of 2                  3      0.0      0         0\n"
              "2 students, 3 files\n");
}

TEST(AssignmentMarks, ARowIsRefusedOnlyWhenItsQuestionIsNotOneOfItsAssignments) {
    handin::KnownAssignments known;
    ASSERT_EQ(known.add(speed(), "speed.stepwise"), std::nullopt);
    struct Case {
        const char* assignment;   // "" for a row without one
        const char* question;
        review::RowState state;
    };
    const Case cases[] = {
        {"", "12", review::RowState::added},   // the built-in's, as a file without the column says
        {"", "13", review::RowState::notAnAnswer},
        {"001.  Rates", "1", review::RowState::added},
        {"007.  Speed and distance", "3", review::RowState::added},
        {"007.  Speed and distance", "2", review::RowState::notAnAnswer},   // a plain block's number
        {"007.  Speed and distance", "12", review::RowState::notAnAnswer},
        {"008.  Not given", "40", review::RowState::responseGone},   // kept for when it is given again
        {"007.  Speed and distance", "0", review::RowState::notAnAnswer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.assignment) + " " + c.question);
        review::MarksTable table = review::parseMarksFile(std::string("student,question,mark,confidence,response,assignment\r\n") +
                                                          "Bea," + c.question + ",1,3,an answer," + c.assignment + "\r\n");
        // The answer the row is for, where its question is one: then the row is current.
        std::vector<review::CurrentAnswer> answers;
        const std::string assignment = *c.assignment ? c.assignment : rates;
        answers.push_back({"Bea", std::atoi(c.question), "3", "an answer", {}, assignment});
        review::mergeAnswers(table, c.state == review::RowState::added ? answers : std::vector<review::CurrentAnswer>{},
                             known);
        ASSERT_FALSE(table.rows.empty());
        const review::RowState expected =
            c.state == review::RowState::added ? review::RowState::current : c.state;
        EXPECT_EQ(table.rows.front().state, expected);
        EXPECT_EQ(table.rows.size(), 1u) << "no second row for the same student, assignment and question";
        EXPECT_EQ(table.rows.front().assignment, assignment);
    }
}

TEST(AssignmentAnswers, AResponseAnswersOnlyAQuestionOfItsOwnAssignment) {
    handin::KnownAssignments known;
    ASSERT_EQ(known.add(speed(), "speed.stepwise"), std::nullopt);
    const handin::KnownAssignment* speedKnown = known.find(u"007.  Speed and distance");
    const handin::KnownAssignment* builtin = known.all().front().get();
    ASSERT_NE(speedKnown, nullptr);
    struct Case {
        const char* what;
        const handin::KnownAssignment* assignment;   // the session's; nullptr for one not given
        const char16_t* header;                      // the session's header line
        handin::RecordKind kind;
        BlockKind block;
        std::optional<int> number;
        std::optional<int> answered;
    };
    const auto response = handin::RecordKind::response, notes = handin::RecordKind::notes;
    const Case cases[] = {
        {"the built-in's instructions are question 1", builtin, u"001.  Rates", response, BlockKind::instructions, 1, 1},
        {"a built-in question", builtin, u"001.  Rates", response, BlockKind::question, 12, 12},
        {"a built-in worked answer", builtin, u"001.  Rates", response, BlockKind::workedAnswer, 3, std::nullopt},
        {"notes on a question", speedKnown, u"007.  Speed and distance", notes, BlockKind::question, 1, std::nullopt},
        {"a question of the file", speedKnown, u"007.  Speed and distance", response, BlockKind::question, 3, 3},
        {"a plain block counts with its question, answering none", speedKnown, u"007.  Speed and distance", response,
         BlockKind::plain, 2, std::nullopt},
        {"a question number the file does not have", speedKnown, u"007.  Speed and distance", response,
         BlockKind::question, 2, std::nullopt},
        {"an assignment not given", nullptr, u"009.  Unknown", response, BlockKind::question, 1, std::nullopt},
        {"a session without a header is the built-in's", nullptr, u"", response, BlockKind::question, 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        handin::Session session;
        session.known = c.assignment;
        session.assignmentHeader = c.header;
        handin::Record record;
        record.kind = c.kind;
        record.blockId = {4, c.number, c.block};
        const review::ClassRecord entry{nullptr, 1, &session, &record, std::nullopt, ""};
        EXPECT_EQ(review::answeredQuestion(entry), c.answered);
    }
    // Assignments are listed by their header numbers.
    EXPECT_TRUE(review::headerListedBefore(u"007.  Speed", u"012.  Forces"));
    EXPECT_TRUE(review::headerListedBefore(u"9.  Early", u"010.  Later"));
    EXPECT_FALSE(review::headerListedBefore(u"012.  Forces", u"007.  Speed"));
}

}  // namespace
}  // namespace stepwise::testing
