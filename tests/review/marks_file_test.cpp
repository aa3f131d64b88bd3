#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "review/answer_key.h"
#include "review/marks_file.h"
#include "system/path_text.h"
#include "support/temp_dir.h"

namespace stepwise::review {
namespace {

const std::string bom = "\xEF\xBB\xBF";

// The class whose answers the files below hold: a line break, a comma, Windows-1252 letters,
// a formula and a rating typed as a word.
const std::vector<CurrentAnswer> classAnswers = {
    {"Ann Lee", 1, "3", "5000 dollars"},
    {"Ann Lee", 2, "2", "line one\r\nline two, with comma"},
    {"Bob Ng", 1, "0", "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC" "5"},
    {"Bob Ng", 3, "three", "=A1*2"},
};

// The last cells of a row of the built-in assignment's answer, as the file writes them: its key and
// the assignment.
std::string keyCell(const std::string& answer) { return ",\"" + answerKey(answer) + "\",\"001.  Rates\""; }

const std::string writtenByTheProgram =
    bom + "student,question,confidence,mark,response,answer_key,assignment\r\n"
          "\"Ann Lee\",1,3,,\"5000 dollars\"" + keyCell(classAnswers[0].response) + "\r\n"
          "\"Ann Lee\",2,2,,\"line one\r\nline two, with comma\"" + keyCell(classAnswers[1].response) + "\r\n"
          "\"Bob Ng\",1,0,,\"caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC" "5\"" +
          keyCell(classAnswers[2].response) + "\r\n"
          "\"Bob Ng\",3,\"three\",,\"'=A1*2\"" + keyCell(classAnswers[3].response) + "\r\n";

std::string readAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeAll(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<Mark> marksOf(const MarksTable& table) {
    std::vector<Mark> marks;
    for (const MarksRow& row : table.rows) marks.push_back(row.markValue());
    return marks;
}

TEST(MarksFile, MarkCellsInEveryFormSpreadsheetsSave) {
    const std::vector<std::pair<std::string, std::optional<Mark>>> cases = {
        {"1", Mark::right},     {"0", Mark::wrong},     {"1.0", Mark::right},   {"0.0", Mark::wrong},
        {"1,0", Mark::right},   {"0.00", Mark::wrong},  {"right", Mark::right}, {"WRONG", Mark::wrong},
        {"Right", Mark::right}, {"r", Mark::right},     {"W", Mark::wrong},     {" 1 ", Mark::right},
        {"", Mark::unmarked},   {"  ", Mark::unmarked}, {"2", std::nullopt},    {"1.5", std::nullopt},
        {"yes", std::nullopt},  {"-1", std::nullopt},   {"10", std::nullopt},   {"rw", std::nullopt},
    };
    for (const auto& [cell, mark] : cases) EXPECT_EQ(parseMark(cell), mark) << '"' << cell << '"';
}

TEST(MarksFile, ANewFileHoldsOneRowPerAnswer) {
    MarksTable table;
    mergeAnswers(table, classAnswers);
    EXPECT_EQ(marksFileBytes(table), writtenByTheProgram);
    for (const MarksRow& row : table.rows) EXPECT_EQ(row.state, RowState::added);
}

// The program's file after the instructor marked it 1, 0, 1 and left the last row empty, saved
// as spreadsheets save it.
TEST(MarksFile, MarksSurviveTheFileAsSpreadsheetsSaveIt) {
    struct Form {
        const char* name;
        std::string bytes;
    };
    const std::vector<Form> forms = {
        {"as written, marked 1 0 1",
         bom + "student,question,confidence,mark,response\r\n"
               "Ann Lee,1,3,1,5000 dollars\r\n"
               "Ann Lee,2,2,0,\"line one\r\nline two, with comma\"\r\n"
               "Bob Ng,1,0,1,caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC" "5\r\n"
               "Bob Ng,3,three,,'=A1*2\r\n"},
        {"UTF-8 without byte-order mark, semicolons, LF, decimals with a comma",
         "student;question;confidence;mark;response\n"
         "Ann Lee;1;3;1,0;5000 dollars\n"
         "Ann Lee;2;2;0,0;\"line one\nline two, with comma\"\n"
         "Bob Ng;1;0;1;caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC" "5\n"
         "Bob Ng;3;three;;'=A1*2\n"},
        {"Windows-1252, commas, CR LF, words, the formula guard dropped by the spreadsheet",
         "student,question,confidence,mark,response\r\n"
         "Ann Lee,1,3,Right,5000 dollars\r\n"
         "Ann Lee,2,2,W,\"line one\r\nline two, with comma\"\r\n"
         "Bob Ng,1,0,r,caf\xE9 \x93quoted\x94 \x80" "5\r\n"
         "Bob Ng,3,three,,=A1*2\r\n"},
        {"every cell quoted, semicolons, 1.0 and 0.0, trailing empty rows",
         bom + "\"student\";\"question\";\"confidence\";\"mark\";\"response\"\r\n"
               "\"Ann Lee\";1;\"3\";1.0;\"5000 dollars\"\r\n"
               "\"Ann Lee\";2;\"2\";0.0;\"line one\r\nline two, with comma\"\r\n"
               "\"Bob Ng\";1;\"0\";1.0;\"caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC" "5\"\r\n"
               "\"Bob Ng\";3;\"three\";;\"'=A1*2\"\r\n;;;;\r\n;;;;\r\n"},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.name);
        MarksTable table = parseMarksFile(form.bytes);
        EXPECT_TRUE(table.notices.empty());
        ASSERT_EQ(table.rows.size(), classAnswers.size());
        for (std::size_t i = 0; i < classAnswers.size(); ++i)
            EXPECT_TRUE(sameResponse(table.rows[i].response, classAnswers[i].response)) << table.rows[i].response;
        mergeAnswers(table, classAnswers);
        for (const MarksRow& row : table.rows) EXPECT_EQ(row.state, RowState::current) << row.row;
        EXPECT_EQ(marksOf(table), (std::vector<Mark>{Mark::right, Mark::wrong, Mark::right, Mark::unmarked}));

        // Written again and read again, the file stays byte for byte the same.
        const std::string written = marksFileBytes(table);
        MarksTable again = parseMarksFile(written);
        mergeAnswers(again, classAnswers);
        EXPECT_EQ(marksFileBytes(again), written);
        const std::string sep(1, table.separator);
        EXPECT_NE(written.find("\"Bob Ng\"" + sep + "3" + sep + "\"three\"" + sep + sep + "\"'=A1*2\"" + sep + "\"" +
                               answerKey("=A1*2") + "\"" + sep + "\"001.  Rates\"\r\n"),
                  std::string::npos) << written;
    }
}

TEST(MarksFile, AFormulaGuardIsNeverAddedTwice) {
    const std::vector<CurrentAnswer> answers = {
        {"Ann Lee", 1, "-1", "=SUM(A1:A9)"}, {"Ann Lee", 2, "3", "-5 m/s"},  {"Ann Lee", 3, "3", "'=typed"},
        {"Ann Lee", 4, "3", "@home"},        {"Ann Lee", 5, "3", "+1\r\n2"}, {"-Dash", 1, "2", "''=two"},
    };
    MarksTable table;
    mergeAnswers(table, answers);
    const std::string first = marksFileBytes(table);
    std::string bytes = first;
    for (int run = 0; run < 3; ++run) {
        MarksTable read = parseMarksFile(bytes);
        mergeAnswers(read, answers);
        for (const MarksRow& row : read.rows) EXPECT_EQ(row.state, RowState::current) << row.response;
        bytes = marksFileBytes(read);
        EXPECT_EQ(bytes, first);
    }
    EXPECT_NE(first.find("\"Ann Lee\",1,\"'-1\",,\"'=SUM(A1:A9)\"" + keyCell("=SUM(A1:A9)") + "\r\n"),
              std::string::npos) << first;
    EXPECT_NE(first.find("\"'-Dash\",1,2,,\"''=two\"" + keyCell("''=two") + "\r\n"), std::string::npos) << first;
}

TEST(MarksFile, MergeKeepsEveryMarkAndItsPlace) {
    // The instructor sorted the rows and marked some; since then Ann answered question 2 again,
    // Bob answered question 3 again, Cy's hand-in is gone, Ann answered question 5 and Dan
    // handed in for the first time.
    const std::string sorted = bom +
        "student,question,confidence,mark,response\r\n"
        "Bob Ng,3,three,,=A1*2\r\n"                       // row 2: unmarked, answered again
        "Ann Lee,2,2,0,old answer\r\n"                    // row 3: marked, answered again
        "Ann Lee,1,3,1,5000 dollars\r\n"                  // row 4: unchanged
        "Cy Old,4,1,1,gone answer\r\n"                    // row 5: no hand-in any more
        "Ann Lee,1,3,0,5000 dollars\r\n"                  // row 6: a copy of row 4
        ",,,x,\r\n";                                      // row 7: no student, no question
    const std::vector<CurrentAnswer> answers = {
        {"Ann Lee", 1, "3", "5000 dollars"}, {"Ann Lee", 2, "3", "new answer"}, {"Ann Lee", 5, "1", "five"},
        {"Bob Ng", 3, "2", "=A1*3"},         {"Dan Fox", 1, "", "first"},
    };
    MarksTable table = parseMarksFile(sorted);
    MarksMerge merge(table);
    const std::vector<MarksRow> annsRows = merge.addAnswers({answers.begin(), answers.begin() + 3});
    ASSERT_EQ(annsRows.size(), 3u);
    EXPECT_EQ(annsRows[0].mark, "1");
    EXPECT_EQ(annsRows[1].state, RowState::changedSinceMarked);
    EXPECT_EQ(annsRows[2].state, RowState::added);
    merge.addAnswers({answers.begin() + 3, answers.end()});
    merge.finish();

    const std::vector<RowState> states = {RowState::current,  RowState::changedSinceMarked, RowState::current,
                                          RowState::responseGone, RowState::repeated, RowState::notAnAnswer,
                                          RowState::added, RowState::added};
    ASSERT_EQ(table.rows.size(), states.size());
    for (std::size_t i = 0; i < states.size(); ++i) EXPECT_EQ(table.rows[i].state, states[i]) << i;
    EXPECT_EQ(table.rows[1].newResponse, "new answer");
    EXPECT_EQ(marksFileBytes(table), bom +
        "student,question,confidence,mark,response,answer_key,assignment\r\n"
        "\"Bob Ng\",3,2,,\"'=A1*3\"" + keyCell("=A1*3") + "\r\n"
        "\"Ann Lee\",2,2,0,\"old answer\"" + keyCell("old answer") + "\r\n"
        "\"Ann Lee\",1,3,1,\"5000 dollars\"" + keyCell("5000 dollars") + "\r\n"
        "\"Cy Old\",4,1,1,\"gone answer\"" + keyCell("gone answer") + "\r\n"
        "\"Ann Lee\",1,3,0,\"5000 dollars\",,\"001.  Rates\"\r\n"
        ",,,\"x\",,,\r\n"
        "\"Ann Lee\",5,1,,\"five\"" + keyCell("five") + "\r\n"
        "\"Dan Fox\",1,,,\"first\"" + keyCell("first") + "\r\n");

    std::vector<int> noticedRows;
    for (const MarksNotice& notice : table.notices) noticedRows.push_back(notice.row);
    std::sort(noticedRows.begin(), noticedRows.end());
    EXPECT_EQ(noticedRows, (std::vector<int>{3, 5, 6, 7, 7}));
    EXPECT_EQ(table.notices.front().message, "row 7: the mark \"x\" is not 1, 0, right or wrong; counted as unmarked");

    // Only the rows that belong to a current answer count: Ann's row 4 (right, 3) and row 3
    // (wrong, 2), which keeps its mark and rating until the instructor clears the mark.
    const CbmFigures ann = studentFigures(table, "Ann Lee");
    EXPECT_EQ(ann.marked, 2);
    EXPECT_EQ(ann.points, 3 - 2);
    EXPECT_EQ(studentFigures(table, "Cy Old").marked, 0);

    // Once the instructor clears the mark, the row follows the new answer.
    MarksTable cleared = parseMarksFile(marksFileBytes(table));
    cleared.rows[1].mark.clear();
    mergeAnswers(cleared, answers);
    EXPECT_EQ(cleared.rows[1].state, RowState::current);
    EXPECT_EQ(cleared.rows[1].response, "new answer");
    EXPECT_EQ(cleared.rows[1].confidence, "3");
}

TEST(MarksFile, RowNumbersAreTheRowsASpreadsheetShows) {
    const MarksTable table = parseMarksFile(
        "student,question,confidence,mark,response\r\n"
        "Ann Lee,1,3,1,\"three\r\nlines\r\nlong\"\r\n"
        "\r\n"
        "Ann Lee,2,3,maybe,short\r\n");
    ASSERT_EQ(table.notices.size(), 1u);
    EXPECT_EQ(table.notices[0].row, 4);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1].markValue(), Mark::unmarked);
    EXPECT_EQ(table.rows[1].mark, "maybe") << "kept as typed";
}

TEST(MarksFile, AFileThatIsNotAMarksFileStopsTheRunAndIsLeftAlone) {
    struct Case {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"another spreadsheet", "name,score\r\nAnn,3\r\n", "column 1 of its first row is \"name\""},
        {"a column missing", "student,question,confidence,mark\r\n", "has no column \"response\""},
        {"an extra column", "student,question,confidence,mark,response,comment\r\n",
         "column 6 of its first row is \"comment\""},
        {"a column twice", "student,question,mark,confidence,mark,response\r\n", "names the column \"mark\" twice"},
        {"a value beyond the columns", "student,question,confidence,mark,response\r\nAnn,1,3,1,x,see me\r\n",
         "row 2 has a value in column 6"},
        {"a value under an empty heading", "student,,question,confidence,mark,response\r\nAnn,x,1,3,1,y\r\n",
         "row 2 has a value in column 2"},
        {"a quote never closed", "student,question,confidence,mark,response\r\nAnn,1,3,1,\"x\r\n",
         "the quoted field starting on line 2 has no closing quote"},
        {"empty", "", "it is empty"},
        {"UTF-16", std::string("\xFF\xFEs\0t\0", 6), "saved as UTF-16"},
    };
    testing::TempDir dir;
    const std::filesystem::path path = dir.path() / "marks.csv";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeAll(path, c.bytes);
        try {
            readMarksFile(path);
            ADD_FAILURE() << "no error";
        } catch (const MarksFileError& error) {
            const std::string message = error.what();
            EXPECT_NE(message.find(c.reason), std::string::npos) << message;
            EXPECT_NE(message.find("marks.csv"), std::string::npos) << message;
        }
        EXPECT_EQ(readAll(path), c.bytes);
    }
    EXPECT_THROW(readMarksFile(dir.path()), MarksFileError) << "a folder";
    EXPECT_FALSE(readMarksFile(dir.path() / "missing.csv")) << "a missing file is a new one";
}

TEST(MarksFile, WrittenAndReadBackThroughTheDisk) {
    testing::TempDir dir;
    const std::filesystem::path path = dir.path() / "marks.csv";
    MarksTable table;
    mergeAnswers(table, classAnswers);
    writeMarksFile(path, table);
    EXPECT_EQ(readAll(path), writtenByTheProgram);
    std::optional<MarksTable> read = readMarksFile(path);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->rows.size(), classAnswers.size());
    EXPECT_FALSE(std::filesystem::exists(path.string() + ".writing"));

    // A file that cannot be written is named, with the reason, and the old one is left.
    std::filesystem::create_directory(path.string() + ".writing");  // the new content has nowhere to go
    try {
        writeMarksFile(path, MarksTable{});
        ADD_FAILURE() << "no error";
    } catch (const MarksFileError& error) {
        const std::string message = error.what(), named = "cannot write " + utf8Path(path) + ": ";
        EXPECT_TRUE(message.starts_with(named) && message.size() > named.size()) << message;
    }
    EXPECT_EQ(readAll(path), writtenByTheProgram);
}

}  // namespace
}  // namespace stepwise::review
