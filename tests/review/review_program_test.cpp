// stepwise-review end to end: hand-ins written by the student program read back into the
// spreadsheet, the report and the terminal summary; damaged and hostile files reported.
#include <algorithm>

#include "review/review_program_fixture.h"
#include "review/spreadsheet_csv_reader.h"

namespace stepwise::testing {
namespace {

using Rows = std::vector<std::vector<std::string>>;

Rows csvRowsOf(const std::string& bytes, const std::string& student) {
    Rows rows;
    for (const auto& row : review::readSpreadsheetCsv(bytes).rows)
        if (!row.empty() && row[0] == student) rows.push_back(row);
    return rows;
}

// The columns after `student`, without `self_critique` and `mark` (always empty here).
std::vector<std::string> shown(const std::vector<std::string>& row) {
    std::vector<std::string> cells(row.begin() + 1, row.begin() + 11);
    cells.push_back(row.at(12));
    return cells;
}

TEST_F(ReviewProgramTest, HandinsRoundTripIntoTheSpreadsheet) {
    const ProgramRun result = run({"--csv", output("class.csv").string(), "--html", output("class.html").string(),
                                   folder().string()});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out, "");
    const std::string csv = readBytes(output("class.csv"));
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(csv.substr(3, csv.find("\r\n") - 3),
              "student,file,lesson_date,session,time,kind,block,question,block_kind,text,confidence,"
              "self_critique,seconds,mark,assignment");

    const Rows ann = csvRowsOf(csv, "Ann Lee");
    const std::vector<std::vector<std::string>> expected = {
        {"send_1207Ann_Lee.txt", "12-07-2026", "1", "14:01:00", "response", "2", "1", "instructions",
         "I understand the instructions.", "3", ""},
        {"send_1207Ann_Lee.txt", "12-07-2026", "1", "14:01:45", "response", "6", "2", "question",
         "10 dollars\r\nper hour", "2", "45"},
        {"send_1207Ann_Lee.txt", "12-07-2026", "1", "14:02:15", "notes", "8", "2", "worked answer",
         "Rate = change / time.", "", "30"},
        {"send_1207Ann_Lee.txt", "12-07-2026", "1", "14:02:35", "response", "8", "2", "worked answer",
         "I forgot the units.", "2", "20"},
        {"send_1207Ann_Lee.txt", "12-07-2026", "1", "14:03:00", "response", "10", "3", "question", "5000 dollars",
         "3", "25"},
        {"send_1207Ann_Lee.txt", "12-07-2026", "2", "20:00:40", "response", "14", "4", "question",
         "\xCE\x94t = 3 h, so 20 000 $/h", "1", ""},
        {"send_1207Ann_Lee.txt", "12-07-2026", "2", "20:34:00", "response", "18", "5", "question", "50 mph", "0", ""},
        {"send_1208Ann_Lee.txt", "12-08-2026", "1", "23:59:40", "response", "22", "6", "question",
         "6 gallons per hour?", "pretty sure", ""},
        {"send_1208Ann_Lee.txt", "12-08-2026", "1", "00:00:20", "response", "26", "7", "question", "It depends.",
         "", "40"},
    };
    ASSERT_EQ(ann.size(), expected.size());
    for (std::size_t i = 0; i < ann.size(); ++i) EXPECT_EQ(shown(ann[i]), expected[i]) << "row " << i;

    const Rows zoe = csvRowsOf(csv, "Zo\xC3\xAB \xC3\x9Cmit");
    ASSERT_EQ(zoe.size(), 5u);
    EXPECT_EQ(zoe[0][9], "<script>document.documentElement.setAttribute('data-ran','yes')</script>");
    EXPECT_EQ(zoe[1][9], "'=HYPERLINK(\"http://example.invalid\",\"click\")") << "no spreadsheet runs it";
    EXPECT_EQ(zoe[1][10], "'=1+1");
    EXPECT_EQ(zoe[3][9],
              "looks like a record:\r\n......!!!!!!!!...................................\r\n"
              "confidence assessment:  3\r\n.................................................\r\nend");
    EXPECT_EQ(zoe[4][5], "notes");
    EXPECT_EQ(zoe[4][9], "'+notes, \"quoted\"; -minus @at");
    EXPECT_EQ(csvRowsOf(csv, "Cy").size(), 12u);
    EXPECT_LT(csv.find("\r\n\"Ann Lee\","), csv.find("\r\n\"Cy\",")) << "students in name order";
    EXPECT_LT(csv.find("\r\n\"Cy\","), csv.find("\r\n\"Zo"));

    const std::string html = readBytes(output("class.html"));
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<img"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;document.documentElement"), std::string::npos);
    EXPECT_NE(html.find("Every file was read cleanly."), std::string::npos);
}

TEST_F(ReviewProgramTest, TerminalSummaryHasALinePerStudent) {
    const ProgramRun result = run({folder().string()});
    EXPECT_EQ(result.status, 0) << result.err;
    const std::string expected =
        "Student   Answered  Median confidence  Minutes  Notes  Problems\n"
        "Ann Lee    7 of 12                  2      2.7      1         0\n"
        "Cy        12 of 12                  3      6.8      0         0\n"
        "Zo\xC3\xAB \xC3\x9Cmit   4 of 12                  2      1.7      1         0\n"
        "3 students, 4 files\n";
    EXPECT_EQ(result.out, expected);
}

TEST_F(ReviewProgramTest, DamagedAndHostileFilesAreReportedAndTheRestIsRead) {
    writeDamagedHandins(folder());
    const ProgramRun result = run({"--csv", output("class.csv").string(), "--html", output("class.html").string(),
                                   folder().string(), (folder() / "send_1207Ann_Lee.txt").string()});
    ASSERT_EQ(result.status, 1) << "problems, nothing crashed\n" << result.err;
    for (const char* file : {"send_1209Dan.txt", "send_1209Hal.txt", "send_1209Eve.txt", "copies/send_1207Ann_Lee.txt"})
        EXPECT_NE(result.err.find(file), std::string::npos) << file << " is reported\n" << result.err;
    EXPECT_NE(result.err.find("given more than once"), std::string::npos) << result.err;

    const std::string csv = readBytes(output("class.csv"));
    EXPECT_EQ(csvRowsOf(csv, "Ann Lee").size(), 9u) << "the copies count once";
    EXPECT_EQ(csvRowsOf(csv, "Cy").size(), 12u);
    const std::string html = readBytes(output("class.html"));
    EXPECT_NE(html.find("<section id=\"problems\">"), std::string::npos);
    EXPECT_NE(html.find("send_1209Dan.txt</td><td class=\"num\">"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 8), "</html>\n");
}

TEST_F(ReviewProgramTest, UsageErrorsWriteNothing) {
    const std::vector<std::vector<std::string>> cases = {
        {"--html", output("a.html").string()},
        {"--html", output("a.html").string(), "--csv", output("a.csv").string(), "--bogus", folder().string()},
        {"--csv", output("a.csv").string(), "--html", (temp.path() / "missing" / "a.html").string(), folder().string()},
    };
    for (const auto& args : cases) {
        const ProgramRun result = run(args);
        EXPECT_EQ(result.status, 2) << args.back();
        EXPECT_NE(result.err.find("stepwise-review: "), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(output("a.html"))) << args.back();
        EXPECT_FALSE(std::filesystem::exists(output("a.csv"))) << args.back();
    }
    const ProgramRun help = run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: stepwise-review [--html FILE] [--csv FILE] [--marks FILE] [--students-csv FILE]\n"
                             "                       [--assignments-csv FILE] [--feedback FOLDER]\n"
                             "                       [--assignment FILE|FOLDER]... PATH...\n", 0), 0u);
    const ProgramRun version = run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("stepwise-review ", 0), 0u);
}

}  // namespace
}  // namespace stepwise::testing
