// The marks file's columns as spreadsheets treat them: the answer key that tells a changed answer
// from a cell a spreadsheet rewrote, the separator the instructor's file uses, files written
// before the key column, and workbooks given where a CSV file is wanted.
#include <gtest/gtest.h>

#include <fstream>

#include "review/answer_key.h"
#include "review/marks_file.h"
#include "support/temp_dir.h"

namespace stepwise::review {
namespace {

const std::string bom = "\xEF\xBB\xBF";

TEST(AnswerKey, FixedValuesThatNoVersionMayChange) {
    struct Case {
        const char* name;
        std::string answer;
        const char* key;
    };
    const std::vector<Case> cases = {
        {"empty", "", "BYZWAKYCPL"},
        {"one letter", "a", "YUBFQQUXJL"},
        {"digits and a word", "5000 dollars", "XYCBNRPYMY"},
        {"leading zeros", "0012", "OSIWCMIUOI"},
        {"the same number without them", "12", "KGZCPJOWDT"},
        {"NFC", "caf\xC3\xA9", "PHPLNBEBVK"},
        {"NFD", "cafe\xCC\x81", "PHPLNBEBVK"},
        {"CR LF", "line one\r\nline two", "VHNIRZLFWE"},
        {"LF", "line one\nline two", "VHNIRZLFWE"},
        {"CR", "line one\rline two", "VHNIRZLFWE"},
        {"Greek", "\xCE\x94", "JHQACTTIWW"},
        {"emoji", "\xF0\x9F\x98\x80", "CXOBREIYCT"},
        {"formula", "=1+1", "NDIDMLKQOT"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(answerKey(c.answer), c.key) << c.name;
        EXPECT_TRUE(isAnswerKey(c.key)) << c.name;
    }
}

TEST(AnswerKey, OnlyTenCapitalLettersAreAKey) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"ABCDEFGHIJ", true},  {" ABCDEFGHIJ ", true}, {"ABCDEFGHI", false},  {"ABCDEFGHIJK", false},
        {"abcdefghij", false}, {"ABCDE1GHIJ", false},  {"ABCDE GHIJ", false}, {"", false},
        {"\xC3\x84" "BCDEFGHI", false},
    };
    for (const auto& [cell, key] : cases) EXPECT_EQ(isAnswerKey(cell), key) << '"' << cell << '"';
}

// One marked answer whose `response` cell a spreadsheet changed on the way; the key beside it is
// the key of what the student wrote.
TEST(MarksColumns, ASpreadsheetsChangesToAResponseAreRepairedAndNeverTakenForANewAnswer) {
    struct Case {
        std::string answer;   // as the student wrote it
        std::string cell;     // as the spreadsheet saved it
    };
    const std::vector<Case> cases = {
        {"0012", "12"},          {"3E5", "300000"},       {"1/2", "01.02.2026"},   {"=1+1", "2"},
        {"TRUE", "WAHR"},        {"a\r\nb", "a\nb"},      {"\xCE\x94", "?"},       {"\xF0\x9F\x98\x80", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        MarksTable table = parseMarksFile("student;question;confidence;mark;response;answer_key\r\n"
                                          "Ann Lee;1;3;1;\"" + c.cell + "\";" + answerKey(c.answer) + "\r\n");
        mergeAnswers(table, {{"Ann Lee", 1, "3", c.answer, {}}});
        ASSERT_EQ(table.rows.size(), 1u);
        EXPECT_EQ(table.rows[0].state, RowState::current);
        EXPECT_EQ(table.rows[0].response, c.answer);
        EXPECT_EQ(table.rows[0].mark, "1");
        for (const MarksNotice& notice : table.notices) ADD_FAILURE() << notice.message;
    }
}

TEST(MarksColumns, AChangedAnswerIsFoundByItsKeyWhateverTheResponseCellSays) {
    struct Case {
        const char* name;
        std::string cell;        // the response cell as the instructor left it
        std::string key;         // the key cell
        RowState state;
        std::string response;    // the row's response once merged
    };
    const std::string earlier = "first try", now = "second try";
    const std::vector<Case> cases = {
        {"the new text pasted over the old", now, answerKey(earlier), RowState::changedSinceMarked, earlier},
        {"the old text, damaged", "FIRST TRY", answerKey(earlier), RowState::changedSinceMarked, earlier},
        {"the old text, no key", earlier, "", RowState::changedSinceMarked, earlier},
        {"the new text, no key", now, "", RowState::current, now},
        {"the old text under the new key", earlier, answerKey(now), RowState::current, now},
        {"a key no answer has", now, answerKey("something else"), RowState::changedSinceMarked, now},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MarksTable table = parseMarksFile("student,question,confidence,mark,response,answer_key\r\n"
                                          "Ann Lee,4,2,0,\"" + c.cell + "\"," + c.key + "\r\n");
        mergeAnswers(table, {{"Ann Lee", 4, "3", now, {earlier}}});
        ASSERT_EQ(table.rows.size(), 1u);
        EXPECT_EQ(table.rows[0].state, c.state);
        EXPECT_EQ(table.rows[0].response, c.response);
        EXPECT_EQ(table.rows[0].mark, "0");
        const std::string key = c.state == RowState::current ? answerKey(now)
                                : c.key.empty()                ? answerKey(c.response)
                                                               : c.key;
        EXPECT_EQ(table.rows[0].answerKey, key) << "a marked row keeps the key of the answer it is for";
    }
}

TEST(MarksColumns, TheFileKeepsTheSeparatorItWasSavedWith) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string header;   // the first row written back
    };
    const std::vector<Case> cases = {
        {"commas", "student,question,confidence,mark,response\r\nAnn Lee,1,3,1,x\r\n",
         "student,question,confidence,mark,response,answer_key,assignment\r\n"},
        {"semicolons", "student;question;confidence;mark;response\nAnn Lee;1;3;1,0;x\n",
         "student;question;confidence;mark;response;answer_key;assignment\r\n"},
        {"semicolons, quoted, with keys", bom + "\"student\";\"question\";\"confidence\";\"mark\";\"response\";"
                                                "\"answer_key\"\r\n\"Ann Lee\";1;3;1;\"x\";\"ABCDEFGHIJ\"\r\n",
         "student;question;confidence;mark;response;answer_key;assignment\r\n"},
        {"tabs, which a CSV file is not saved with", "student\tquestion\tconfidence\tmark\tresponse\r\nAnn Lee\t1\t3\t1\tx\r\n",
         "student,question,confidence,mark,response,answer_key,assignment\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MarksTable table = parseMarksFile(c.bytes);
        mergeAnswers(table, {{"Ann Lee", 1, "3", "x", {}}, {"Bo", 2, "", "a; b, c", {}}});
        const std::string written = marksFileBytes(table);
        ASSERT_TRUE(written.starts_with(bom + c.header)) << written;
        const char sep = c.header[7];
        const std::string row = std::string("\"Bo\"") + sep + "2" + sep + sep + sep + "\"a; b, c\"" + sep + "\"" +
                                answerKey("a; b, c") + "\"" + sep + "\"001.  Rates\"\r\n";
        EXPECT_TRUE(written.ends_with(row)) << written;
        MarksTable again = parseMarksFile(written);
        EXPECT_EQ(again.separator, sep);
        ASSERT_EQ(again.rows.size(), 2u);
        EXPECT_EQ(again.rows[0].markValue(), Mark::right);
        EXPECT_EQ(again.rows[1].response, "a; b, c");
    }
}

TEST(MarksColumns, AFileWithoutKeysIsComparedByTextOnceAndThenGetsItsKeys) {
    const std::string fiveColumns = bom +
        "student,question,confidence,mark,response\r\n"
        "Ann Lee,1,3,1,5000 dollars\r\n"
        "Ann Lee,2,2,0,old answer\r\n"
        "Gone Student,3,1,1,gone\r\n";
    MarksTable table = parseMarksFile(fiveColumns);
    for (const MarksRow& row : table.rows) EXPECT_EQ(row.answerKey, "");
    mergeAnswers(table, {{"Ann Lee", 1, "3", "5000 dollars", {}}, {"Ann Lee", 2, "2", "new answer", {"old answer"}}});
    EXPECT_EQ(marksFileBytes(table), bom +
        "student,question,confidence,mark,response,answer_key,assignment\r\n"
        "\"Ann Lee\",1,3,1,\"5000 dollars\",\"" + answerKey("5000 dollars") + "\",\"001.  Rates\"\r\n"
        "\"Ann Lee\",2,2,0,\"old answer\",\"" + answerKey("old answer") + "\",\"001.  Rates\"\r\n"
        "\"Gone Student\",3,1,1,\"gone\",\"" + answerKey("gone") + "\",\"001.  Rates\"\r\n");

    // The columns are found by their names, in whatever order the instructor left them.
    const MarksTable reordered = parseMarksFile("answer_key,Mark,response,STUDENT,confidence,question\r\n"
                                                "ABCDEFGHIJ,1,five,Ann Lee,3,5\r\n");
    ASSERT_EQ(reordered.rows.size(), 1u);
    EXPECT_EQ(reordered.rows[0].student, "Ann Lee");
    EXPECT_EQ(reordered.rows[0].question, "5");
    EXPECT_EQ(reordered.rows[0].mark, "1");
    EXPECT_EQ(reordered.rows[0].response, "five");
    EXPECT_EQ(reordered.rows[0].answerKey, "ABCDEFGHIJ");
    EXPECT_EQ(parseMarksFile("student,question,confidence,mark,response,answer_key\r\nA,1,3,1,x,12345\r\n")
                  .rows[0].answerKey, "") << "a key a spreadsheet turned into a number is no key";
}

TEST(MarksColumns, AWorkbookOrANewFileNotNamedCsvIsRefused) {
    struct Case {
        const char* name;
        std::optional<std::string> bytes;   // nothing: no such file
        const char* refusal;                // nullptr: accepted
    };
    const std::string workbook = " is a spreadsheet workbook; save it as CSV (comma or semicolon separated) and give "
                                 "that file";
    const std::string notCsv = ", and a new marks file is only made with a name ending in .csv";
    const std::vector<Case> cases = {
        {"marks.xlsx", std::nullopt, "workbook"},
        {"marks.XLSX", std::string("PK\x03\x04", 4), "workbook"},
        {"marks.xls", std::string("student,question,confidence,mark,response\r\n"), "workbook"},
        {"marks.ods", std::nullopt, "workbook"},
        {"zipped.csv", std::string("PK\x03\x04rest", 8), "workbook"},
        {"ole.csv", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1rest", 12), "workbook"},
        {"marks.txt", std::nullopt, "not csv"},
        {"marks", std::nullopt, "not csv"},
        {"marks.txt.bak", std::string("student,question,confidence,mark,response\r\n"), nullptr},
        {"marks.csv", std::nullopt, nullptr},
        {"MARKS.CSV", std::nullopt, nullptr},
        {"short.csv", std::string("PK"), nullptr},
    };
    testing::TempDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path path = dir.path() / c.name;
        if (c.bytes) std::ofstream(path, std::ios::binary) << *c.bytes;
        try {
            checkMarksFileName(path);
            EXPECT_EQ(c.refusal, nullptr) << "accepted";
        } catch (const MarksFileError& error) {
            ASSERT_NE(c.refusal, nullptr) << error.what();
            const std::string expected =
                std::string(c.refusal) == "workbook" ? path.string() + workbook
                                                     : "there is no marks file " + path.string() + notCsv;
            EXPECT_EQ(error.what(), expected);
        }
        EXPECT_EQ(std::filesystem::exists(path), c.bytes.has_value()) << "nothing made";
        if (c.bytes) std::filesystem::remove(path);
    }
}

}  // namespace
}  // namespace stepwise::review
