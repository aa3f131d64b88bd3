// The marks file through LibreOffice Calc, as instructors use it: the program's file opened as CSV
// with the instructor's language and number recognition, marks typed, saved as CSV again, read
// back here. Calc turns some answers into numbers, dates or other text on the way; the marks
// must all survive, no answer may look changed, and the file written next must hold the students'
// own text again. scripts/test.sh installs LibreOffice; where it is missing the test fails.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "review/marks_file.h"
#include "support/temp_dir.h"

namespace stepwise::review {
namespace {

namespace fs = std::filesystem;

// Answers a spreadsheet is tempted to read as something else, with the marks the instructor types.
struct Answer {
    CurrentAnswer answer;
    const char* mark;
};
const std::vector<Answer> markedAnswers = {
    {{"Ann Lee", 1, "3", "0012"}, "1"},
    {{"Ann Lee", 2, "2", "3E5"}, "0"},
    {{"Ann Lee", 3, "3", "1/2"}, "right"},
    {{"Ann Lee", 4, "1", "=1+1"}, "W"},
    {{"Bob Ng", 1, "0", "TRUE"}, "1"},
    {{"Bob Ng", 2, "3", "\xCE\x94v = 5 m/s"}, "0"},
    {{"Bob Ng", 3, "2", "fine \xF0\x9F\x98\x80"}, "r"},
    {{"Bob Ng", 4, "three", "line one\r\nline two, with comma; and \"quotes\""}, ""},
    {{"Zo\xC3\xAB \xC3\x9Cmit", 1, "2", "caf\xC3\xA9 \xE2\x82\xAC" "5"}, "1"},
};

std::vector<CurrentAnswer> answers() {
    std::vector<CurrentAnswer> out;
    for (const Answer& marked : markedAnswers) out.push_back(marked.answer);
    return out;
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool sofficeInstalled() { return std::system("command -v soffice >/dev/null 2>&1") == 0; }

// An instructor's Calc: the CSV filter's options for reading (separator, quote, UTF-8, first row,
// no column formats, language, quoted fields not forced to text, special numbers detected) and for
// saving (separator, quote, character set: 76 UTF-8, 1 Windows-1252).
struct Instructor {
    const char* name;
    char separator;
    const char* importOptions;
    const char* exportOptions;
};

TEST(LibreOfficeRoundTrip, MarksAndAnswersSurviveCalcAsInstructorsUseIt) {
#ifdef _WIN32
    GTEST_SKIP() << "LibreOffice runs on the Linux build's test machine";
#endif
    ASSERT_TRUE(sofficeInstalled()) << "soffice is missing: install libreoffice-calc-nogui (scripts/test.sh does)";
    const std::vector<Instructor> instructors = {
        {"en-US", ',', "CSV:44,34,76,1,,1033,false,true", "44,34,76,1"},
        {"de-DE", ';', "CSV:59,34,76,1,,1031,false,true", "59,34,1,1"},
    };
    testing::TempDir dir;
    for (const Instructor& instructor : instructors) {
        SCOPED_TRACE(instructor.name);
        const fs::path work = dir.path() / instructor.name;
        fs::create_directories(work);
        MarksTable table;
        table.separator = instructor.separator;
        mergeAnswers(table, answers());
        for (std::size_t i = 0; i < markedAnswers.size(); ++i) table.rows[i].mark = markedAnswers[i].mark;
        writeMarksFile(work / "marks.csv", table);

        // Each run of soffice with a profile of its own, so that parallel runs do not hand their
        // documents to one another.
        const std::string command =
            "cd '" + work.string() + "' && timeout 600 soffice '-env:UserInstallation=file://" + work.string() +
            "/profile' --headless --norestore --nologo --infilter='" + instructor.importOptions +
            "' --convert-to 'csv:Text - txt - csv (StarCalc):" + instructor.exportOptions +
            "' --outdir saved marks.csv >soffice.log 2>&1 </dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command << "\n" << readAll(work / "soffice.log");
        const std::string saved = readAll(work / "saved" / "marks.csv");
        ASSERT_FALSE(saved.empty()) << command << "\n" << readAll(work / "soffice.log");

        MarksTable read = parseMarksFile(saved);
        EXPECT_EQ(read.separator, instructor.separator) << saved;
        for (const MarksNotice& notice : read.notices) ADD_FAILURE() << notice.message;
        ASSERT_EQ(read.rows.size(), markedAnswers.size()) << saved;
        int changedByCalc = 0;
        for (std::size_t i = 0; i < markedAnswers.size(); ++i) {
            EXPECT_EQ(read.rows[i].markValue(), parseMark(markedAnswers[i].mark)) << read.rows[i].mark;
            EXPECT_EQ(read.rows[i].answerKey, table.rows[i].answerKey);
            if (!sameResponse(read.rows[i].response, markedAnswers[i].answer.response)) ++changedByCalc;
        }
        EXPECT_GT(changedByCalc, 0) << "Calc was meant to change some answers on the way:\n" << saved;

        mergeAnswers(read, answers());
        for (const MarksRow& row : read.rows) EXPECT_EQ(row.state, RowState::current) << row.row << " " << row.response;
        for (const MarksNotice& notice : read.notices) ADD_FAILURE() << notice.message;
        // Written again: the students' own text, every mark as typed, the instructor's separator.
        EXPECT_EQ(marksFileBytes(read), marksFileBytes(table)) << saved;
    }
}

}  // namespace
}  // namespace stepwise::review
