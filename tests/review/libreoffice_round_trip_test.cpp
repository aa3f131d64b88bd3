// The marks file through LibreOffice Calc: read in as CSV, saved again as CSV, read back here.
// Runs where `libreoffice` is installed; elsewhere the test is skipped and says so.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "review/marks_file.h"
#include "support/temp_dir.h"

namespace stepwise::review {
namespace {

namespace fs = std::filesystem;

const std::vector<CurrentAnswer> answers = {
    {"Ann Lee", 1, "3", "5000 dollars"},
    {"Ann Lee", 2, "2", "line one\r\nline two, with comma; and \"quotes\""},
    {"Bob Ng", 1, "0", "caf\xC3\xA9 \xE2\x82\xAC" "5"},
    {"Bob Ng", 3, "three", "=A1*2"},
    {"Bob Ng", 4, "-1", "-5 m/s"},
};
const std::vector<std::string> marks = {"1", "0", "right", "", "w"};

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool libreOfficeInstalled() {
#ifdef _WIN32
    return false;
#else
    return std::system("command -v libreoffice >/dev/null 2>&1") == 0;
#endif
}

TEST(LibreOfficeRoundTrip, MarksSurviveCalcSavingTheFile) {
    if (!libreOfficeInstalled())
        GTEST_SKIP() << "libreoffice is not installed: the round trip of the marks file through LibreOffice Calc "
                        "was not run";
    testing::TempDir dir;
    MarksTable table;
    mergeAnswers(table, answers);
    for (std::size_t i = 0; i < marks.size(); ++i) table.rows[i].mark = marks[i];
    writeMarksFile(dir.path() / "marks.csv", table);

    // Exported once with semicolons in UTF-8 and once with commas in Windows-1252 (character set 1).
    const std::vector<std::pair<std::string, std::string>> exports = {{"59,34,76,1", "utf8"}, {"44,34,1,1", "cp1252"}};
    for (const auto& [options, folder] : exports) {
        SCOPED_TRACE(folder);
        const std::string command =
            "cd '" + dir.path().string() + "' && libreoffice -env:UserInstallation=file://" + dir.path().string() +
            "/profile --headless --infilter=CSV:44,34,76,1 --convert-to 'csv:Text - txt - csv (StarCalc):" + options +
            "' --outdir " + folder + " marks.csv >/dev/null 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const std::string saved = readAll(dir.path() / folder / "marks.csv");
        ASSERT_FALSE(saved.empty()) << command;

        MarksTable read = parseMarksFile(saved);
        EXPECT_TRUE(read.notices.empty()) << read.notices.front().message;
        ASSERT_EQ(read.rows.size(), answers.size()) << saved;
        for (std::size_t i = 0; i < answers.size(); ++i) {
            EXPECT_TRUE(sameResponse(read.rows[i].response, answers[i].response)) << read.rows[i].response;
            EXPECT_EQ(read.rows[i].markValue(), parseMark(marks[i])) << read.rows[i].mark;
        }
        mergeAnswers(read, answers);
        for (const MarksRow& row : read.rows) EXPECT_EQ(row.state, RowState::current) << row.row;
        EXPECT_EQ(marksFileBytes(read), marksFileBytes(table)) << saved;
    }
}

}  // namespace
}  // namespace stepwise::review
