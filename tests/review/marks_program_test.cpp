// stepwise-review with the instructor's marks, run as an instructor would: the first run writes
// the marks file, the instructor marks it in a spreadsheet, the next run keeps every mark and
// writes the report, the feedback pages and the students spreadsheet.
#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>

#include "review/marks_file.h"
#include "review/spreadsheet_csv_reader.h"
#include "review/review_program_fixture.h"

namespace stepwise::testing {
namespace {

using review::MarksRow;
using review::MarksTable;

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The marks file as a spreadsheet on a German system saves it: semicolons, LF, every cell quoted.
std::string savedWithSemicolons(const MarksTable& table) {
    const auto cell = [](const std::string& text) {
        std::string out = "\"";
        for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
        return out + "\"";
    };
    std::string out = "student;question;confidence;mark;response\n";
    for (const MarksRow& row : table.rows)
        out += cell(row.student) + ";" + cell(row.question) + ";" + cell(row.confidence) + ";" + cell(row.mark) +
               ";" + cell(row.response) + "\n";
    return out;
}

class MarksProgram : public ReviewProgramTest {
protected:
    // The first run's marks file, marked: Ann's questions 1-6 (ratings 3, 2, 3, 1, 0 and a word),
    // all of Cy's (question 12 wrong at confidence 3; question 5 marked for an answer he has since
    // changed), Zoë's 1, 2 and 4 with a "?" for 3; and a row of a student no longer in the class.
    void markTheClass() {
        ASSERT_EQ(run({"--marks", marks().string(), folder().string()}).status, 0);
        MarksTable table = review::parseMarksFile(readBytes(marks()));
        ASSERT_EQ(table.rows.size(), 7u + 12u + 4u);
        const std::map<std::pair<std::string, std::string>, std::string> marking = {
            {{"Ann Lee", "1"}, "1"}, {{"Ann Lee", "2"}, "0"}, {{"Ann Lee", "3"}, "r"},  {{"Ann Lee", "4"}, "W"},
            {{"Ann Lee", "5"}, "1"}, {{"Ann Lee", "6"}, "0"}, {{"Cy", "5"}, "0"},       {{"Cy", "12"}, "wrong"},
            {{zoe, "1"}, "0"},       {{zoe, "2"}, "1.0"},     {{zoe, "3"}, "?"},        {{zoe, "4"}, "1"},
        };
        for (MarksRow& row : table.rows) {
            const auto mark = marking.find({row.student, row.question});
            if (mark != marking.end()) row.mark = mark->second;
            else if (row.student == "Cy") row.mark = "1";
            if (row.student == "Cy" && row.question == "5") row.response = "an earlier answer";
        }
        MarksRow gone;
        gone.student = "Old Student";
        gone.question = "3";
        gone.confidence = "2";
        gone.mark = "1";
        gone.response = "gone";
        table.rows.push_back(gone);
        markedFile = savedWithSemicolons(table);
        std::ofstream(marks(), std::ios::binary) << markedFile;
    }

    std::filesystem::path marks() const { return output("marks.csv"); }
    const std::string zoe = "Zo\xC3\xAB \xC3\x9Cmit";
    std::string markedFile;
};

TEST_F(MarksProgram, MarksAreKeptAndFiguresReachEveryOutput) {
    markTheClass();
    const ProgramRun second = run({"--marks", marks().string(), "--html", output("report.html").string(), "--feedback",
                                   output("feedback").string(), "--students-csv", output("students.csv").string(),
                                   folder().string()});
    EXPECT_EQ(second.status, 1) << "the mark \"?\" is a problem\n" << second.err;
    EXPECT_NE(second.err.find("marks.csv: row 23: the mark \"?\" is not 1, 0, right or wrong"), std::string::npos)
        << second.err;
    EXPECT_NE(second.err.find("Cy answered question 5 again since it was marked"), std::string::npos) << second.err;
    EXPECT_NE(second.err.find("no hand-in holds Old Student's answer to question 3"), std::string::npos) << second.err;

    // Every mark and row kept in its place; the file now as the program writes it.
    MarksTable before = review::parseMarksFile(markedFile);
    MarksTable after = review::parseMarksFile(readBytes(marks()));
    ASSERT_EQ(after.rows.size(), before.rows.size());
    for (std::size_t i = 0; i < after.rows.size(); ++i) {
        EXPECT_EQ(after.rows[i].mark, before.rows[i].mark) << i;
        EXPECT_EQ(after.rows[i].response, before.rows[i].response) << i;
    }
    EXPECT_TRUE(readBytes(marks()).starts_with("\xEF\xBB\xBFstudent;question;confidence;mark;response;answer_key;assignment\r\n"))
        << "the instructor's semicolons kept";

    // Ann: 6 marked, 3 right, points 3 - 2 + 3 + 0 + 0 + 0 = 4. Cy: 12 marked, 10 right, points
    // 30 - 6 - 6 = 18. Zoë: 3 marked, 2 right, points -6 + 0 + 1 = -5.
    const std::string students = readBytes(output("students.csv"));
    EXPECT_TRUE(students.starts_with("\xEF\xBB\xBFstudent,answered,median_confidence,minutes_on_task,notes,marked,"
                                     "right,accuracy,cbm_average\r\n")) << students;
    EXPECT_TRUE(std::regex_search(students, std::regex("\r\n\"Ann Lee\",7,2,[0-9.]+,1,6,3,0.50,0.67\r\n"))) << students;
    EXPECT_TRUE(std::regex_search(students, std::regex("\r\n\"Cy\",12,3,[0-9.]+,0,12,10,0.83,1.50\r\n"))) << students;
    EXPECT_TRUE(std::regex_search(students, std::regex("\r\n\"" + zoe + "\",4,[0-9.]+,[0-9.]+,1,3,2,0.67,-1.67\r\n")))
        << students;

    const std::string report = readBytes(output("report.html"));
    EXPECT_EQ(count(report, "<svg class=\"calibration-chart\""), 4u) << "the class and each student";
    // Each sign in the legend, in the overview and beside the answer in the student's section; Cy's
    // question 5 is marked for an answer no hand-in holds any more, so it has no answer to stand by.
    EXPECT_EQ(count(report, "class=\"mark mark-right\""), 1u + 2u * (3u + 10u + 2u));
    EXPECT_EQ(count(report, "class=\"mark mark-wrong\""), 1u + 2u * (3u + 2u + 1u) - 1u);
    EXPECT_EQ(count(report, "<span class=\"answer-mark\">"), 15u + 5u);
    EXPECT_NE(report.find("<ul class=\"confident-errors\" data-question=\"12\"><li><span class=\"student\">Cy</span>: "
                          "<span class=\"response\">answer 12</span></li></ul>"), std::string::npos);
    EXPECT_NE(report.find("<span class=\"response\">an earlier answer</span>"), std::string::npos);
    EXPECT_NE(report.find("&lt;script&gt;document.documentElement"), std::string::npos);

    EXPECT_NE(report.find("<a class=\"feedback\" href=\"feedback/Zo%C3%AB_%C3%9Cmit.html\">"), std::string::npos);
    for (const char* page : {"Ann_Lee.html", "Cy.html", "Zo\xC3\xAB_\xC3\x9Cmit.html"})
        EXPECT_TRUE(std::filesystem::is_regular_file(output("feedback") / std::filesystem::path(std::u8string(
                        reinterpret_cast<const char8_t*>(page))))) << page;
}

TEST_F(MarksProgram, MarksReachTheCsvReportAndMarksTypedThereAreNeverWiped) {
    markTheClass();
    ASSERT_EQ(run({"--marks", marks().string(), "--csv", output("report.csv").string(), folder().string()}).status, 1);
    const review::SpreadsheetTable report = review::readSpreadsheetCsv(readBytes(output("report.csv")));
    ASSERT_FALSE(report.rows.empty());
    const auto markColumn = std::find(report.rows[0].begin(), report.rows[0].end(), "mark");
    ASSERT_NE(markColumn, report.rows[0].end());
    const std::size_t mark = static_cast<std::size_t>(markColumn - report.rows[0].begin());
    std::map<std::pair<std::string, std::string>, std::vector<std::string>> marksOf;  // student, question
    for (std::size_t i = 1; i < report.rows.size(); ++i)
        if (!report.rows[i].at(mark).empty()) marksOf[{report.rows[i][0], report.rows[i][7]}].push_back(report.rows[i][mark]);
    // One cell per marked answer that the hand-ins still hold: Cy's question 5 was marked for an
    // answer no hand-in holds.
    EXPECT_EQ(marksOf.size(), 6u + 11u + 4u);
    for (const auto& [answer, marksGiven] : marksOf) EXPECT_EQ(marksGiven.size(), 1u) << answer.first << answer.second;
    const std::vector<std::string> annsThird = marksOf[std::pair<std::string, std::string>("Ann Lee", "3")];
    const std::vector<std::string> zoesThird = marksOf[std::pair<std::string, std::string>(zoe, "3")];
    EXPECT_EQ(annsThird, std::vector<std::string>(1, "r"));
    EXPECT_EQ(zoesThird, std::vector<std::string>(1, "?"));
    EXPECT_EQ(marksOf.count(std::pair<std::string, std::string>("Cy", "5")), 0u);

    // The instructor types marks into the report instead and a spreadsheet saves it its way.
    std::string typed = "student;question;mark\n";
    for (const char* row : {"Ann Lee;1;1\n", "Zo\xEB \xDCmit;2;\"0\"\n", "Cy;3;   \n", "Cy;4;right\n"}) typed += row;
    std::ofstream(output("report.csv"), std::ios::binary | std::ios::trunc) << typed;
    const ProgramRun refused = run({"--csv", output("report.csv").string(), "--html", output("report.html").string(),
                                    folder().string()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_NE(refused.err.find("report.csv holds 3 marks in its mark column"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("(--marks FILE)"), std::string::npos) << refused.err;
    EXPECT_EQ(readBytes(output("report.csv")), typed);
    EXPECT_FALSE(std::filesystem::exists(output("report.html")));
}

TEST_F(MarksProgram, AMarksFileThatCannotBeReadStopsTheRunAndStaysAsItIs) {
    const std::string notMarks = "name;score\r\nAnn;3\r\n";
    std::ofstream(marks(), std::ios::binary) << notMarks;
    const ProgramRun result = run({"--marks", marks().string(), "--html", output("report.html").string(), "--feedback",
                                   output("feedback").string(), folder().string()});
    EXPECT_EQ(result.status, 2);
    EXPECT_NE(result.err.find("marks.csv is not a marks file as written by this program: column 1 of its first row "
                              "is \"name\", which is not a marks column; the first row must be "
                              "\"student,question,confidence,mark,response,answer_key,assignment\""), std::string::npos)
        << result.err;
    EXPECT_EQ(readBytes(marks()), notMarks);
    EXPECT_FALSE(std::filesystem::exists(output("report.html")));
    EXPECT_FALSE(std::filesystem::exists(output("feedback")));
}

TEST_F(MarksProgram, AWorkbookOrANewFileNotNamedCsvStopsTheRunBeforeAnythingIsWritten) {
    struct Case {
        const char* name;
        std::optional<std::string> bytes;   // nothing: no such file
        const char* says;
    };
    const std::string workbook = " is a spreadsheet workbook; save it as CSV (comma or semicolon separated) and give "
                                 "that file\n";
    const std::vector<Case> cases = {
        {"marks.xlsx", std::nullopt, "workbook"},
        {"marks.ods", std::string("PK\x03\x04 an OpenDocument zip", 24), "workbook"},
        {"saved.csv", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1 an old Excel file", 26), "workbook"},
        {"marks.txt", std::nullopt, "not csv"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto path = output(c.name);
        if (c.bytes) std::ofstream(path, std::ios::binary) << *c.bytes;
        std::set<std::filesystem::path> before;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path())) before.insert(entry.path());
        const ProgramRun result = run({"--marks", path.string(), "--html", output("report.html").string(),
                                       "--feedback", output("feedback").string(), folder().string()});
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, std::string(c.says) == "workbook"
                                  ? "stepwise-review: " + path.string() + workbook
                                  : "stepwise-review: there is no marks file " + path.string() +
                                        ", and a new marks file is only made with a name ending in .csv\n");
        std::set<std::filesystem::path> after;
        for (const auto& entry : std::filesystem::directory_iterator(temp.path())) after.insert(entry.path());
        after.erase(output("stdout.txt"));
        after.erase(output("stderr.txt"));
        before.erase(output("stdout.txt"));
        before.erase(output("stderr.txt"));
        EXPECT_EQ(after, before) << "nothing written, no lock left";
        if (c.bytes) EXPECT_EQ(readBytes(path), *c.bytes);
    }
}

TEST_F(MarksProgram, TheChartsAndAFeedbackPageInABrowser) {
    if (!chromiumInstalled()) GTEST_SKIP() << "chromium is not installed (scripts/test.sh installs it)";
    markTheClass();
    const auto report = output("report.html");
    const auto feedback = output("feedback");
    run({"--marks", marks().string(), "--html", report.string(), "--feedback", feedback.string(), folder().string()});

    const std::string dom = chromium("--dump-dom", report);
    EXPECT_EQ(count(dom, "<svg class=\"calibration-chart\""), 4u);
    EXPECT_EQ(count(dom, "<rect class=\"best-range\""), 4u * 3u);
    EXPECT_NE(dom.find("<td class=\"num cbm\">-1.67</td>"), std::string::npos);
    keepScreenshot(report, "review-report-with-marks.png", "1280,2400");

    // Zoë's page: her script and HTML shown as text, nothing run, her chart and its sentence.
    const auto page = feedback / std::filesystem::path(std::u8string(u8"Zo\u00eb_\u00dcmit.html"));
    const std::string zoePage = chromium("--dump-dom", page);
    EXPECT_EQ(count(zoePage, "<script"), 0u);
    EXPECT_EQ(count(zoePage, "<img"), 0u);
    EXPECT_NE(zoePage.find("&lt;script&gt;document.documentElement.setAttribute('data-ran','yes')&lt;/script&gt;"),
              std::string::npos);
    EXPECT_EQ(zoePage.find("data-ran=\"yes\""), std::string::npos);
    EXPECT_EQ(count(zoePage, "<section class=\"question\""), 4u);
    EXPECT_EQ(count(zoePage, "<rect class=\"share-right\""), 2u) << "levels 1 and 3 were used";
    EXPECT_EQ(zoePage.find("<p class=\"calibration-summary\">"), std::string::npos)
        << "one answer marked at a level says nothing of calibration\n" << zoePage;
    EXPECT_NE(zoePage.find("aria-label=\"Too few of your answers are marked at any one confidence level"),
              std::string::npos);
    keepScreenshot(page, "feedback-page.png", "900,1600");
}

}  // namespace
}  // namespace stepwise::testing
