// The bytes of the CSV and the escaping of the HTML report.
#include <gtest/gtest.h>

#include "format/html_escape.h"
#include "review/csv_report.h"
#include "review/handin_builder.h"
#include "review/html_report.h"
#include "review/report_text.h"

namespace stepwise::testing {
namespace {

using namespace review;

TEST(CsvReport, HeaderAndRowsAreExactBytes) {
    handin::Record formula = responseAt("14:05:39", 3, "=SUM(A1:A9)", " 3");
    handin::Record multiLine = responseAt("14:06:00", 4, "two\r\nlines, \"quoted\"", "-1");
    handin::Record note = notesAt("14:06:10", "@note");
    handin::Record unknown = responseAt("14:06:20", 4, "x", "");
    unknown.blockId = {};
    unknown.confidence.reset();
    unknown.selfCritique = u"+2";
    handin::Record greek = responseAt("14:06:30", 5, "", "2");
    greek.text = "\xCE\x94x \xC3\xA9 \xF0\x9F\x98\x80 \xEF\xBF\xBD";  // a lone surrogate is read as U+FFFD
    auto model = buildClassModel({handinFile("class/send_1207Ann_Lee.txt", "Ann Lee", 12, 7,
                                             {session({responseAt("14:05:09", 3, "5000 dollars", "3"), formula}),
                                              session({multiLine, note, unknown, greek}, "12-08-2026")})},
                                 {});
    const std::string expected =
        "\xEF\xBB\xBF"
        "student,file,lesson_date,session,time,kind,block,question,block_kind,text,confidence,self_critique,seconds,mark,assignment\r\n"
        "\"Ann Lee\",\"send_1207Ann_Lee.txt\",\"12-07-2026\",1,\"14:05:09\",\"response\",14,3,\"question\","
        "\"5000 dollars\",\"3\",,,,\r\n"
        "\"Ann Lee\",\"send_1207Ann_Lee.txt\",\"12-07-2026\",1,\"14:05:39\",\"response\",14,3,\"question\","
        "\"'=SUM(A1:A9)\",\" 3\",,30,,\r\n"
        "\"Ann Lee\",\"send_1207Ann_Lee.txt\",\"12-08-2026\",2,\"14:06:00\",\"response\",18,4,\"question\","
        "\"two\r\nlines, \"\"quoted\"\"\",\"'-1\",,,,\r\n"
        "\"Ann Lee\",\"send_1207Ann_Lee.txt\",\"12-08-2026\",2,\"14:06:10\",\"notes\",,,\"unknown\",\"'@note\",,,10,,\r\n"
        "\"Ann Lee\",\"send_1207Ann_Lee.txt\",\"12-08-2026\",2,\"14:06:20\",\"response\",,,\"unknown\",\"x\",,\"'+2\",10,,\r\n"
        "\"Ann Lee\",\"send_1207Ann_Lee.txt\",\"12-08-2026\",2,\"14:06:30\",\"response\",22,5,\"question\","
        "\"\xCE\x94x \xC3\xA9 \xF0\x9F\x98\x80 \xEF\xBF\xBD\",\"2\",,10,,\r\n";
    EXPECT_EQ(csvHeader() + csvRows(model.students.at(0)), expected);
}

TEST(HtmlReport, EscapingLeavesNoMarkupFromTheStudent) {
    const std::pair<std::string, std::string> cases[] = {
        {"<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
        {"a & b", "a &amp; b"},
        {"\"quoted\" 'single'", "&quot;quoted&quot; &#39;single&#39;"},
        {"line\r\nbreak\ttab", "line\r\nbreak\ttab"},
        {std::string("nul\0bell\a", 9), "nul\xE2\x90\x80" "bell\xE2\x90\x87"},
        {"&#916;", "&amp;#916;"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
    };
    for (const auto& [typed, escaped] : cases) EXPECT_EQ(escapeHtml(typed), escaped) << typed;
}

TEST(HtmlReport, StudentTextNamesAndProblemsAreShownAsText) {
    const char* hostile = "<script>document.title='ran'</script><img src=x onerror=alert(1)>";
    handin::Record record = responseAt("10:00:00", 3, hostile, "\"><b>3");
    record.block = fromUtf8(std::string("`q003.  ") + hostile);
    auto model = buildClassModel({handinFile("send_1207x.txt", "<i>Eve\"", 12, 7, {session({record})})}, {});
    StudentSummary summary = summarizeStudent(model.students.at(0));
    summary.anchor = "student-1";
    ClassSummary classSummary;
    classSummary.add(summary);
    const std::string page = htmlPageStart("Class review") + htmlOverview(classSummary) + htmlQuestions(classSummary) +
                             htmlStudentsStart() + htmlStudent(model.students[0], summary) + htmlStudentsEnd() +
                             htmlProblems({{"send_<b>.txt", 4, "line <u>bad</u>"}}, 3) + htmlPageEnd();
    for (const char* markup : {"<script", "<img", "<i>", "<b>3", "<u>", "<b>.txt", "onerror=alert(1)>"})
        EXPECT_EQ(page.find(markup), std::string::npos) << markup;
    EXPECT_NE(page.find("&lt;script&gt;document.title=&#39;ran&#39;&lt;/script&gt;"), std::string::npos);
    EXPECT_NE(page.find("&lt;i&gt;Eve&quot;"), std::string::npos);
    EXPECT_NE(page.find("title=\"Question 3: answered, confidence &#8220;&quot;&gt;&lt;b&gt;3&#8221;\""),
              std::string::npos);
    EXPECT_NE(page.find("3 further problems"), std::string::npos);
    EXPECT_NE(page.find("Content-Security-Policy\" content=\"default-src 'none';"), std::string::npos);
}

TEST(HtmlReport, OverviewHasARowPerStudentAndACellPerQuestion) {
    ClassSummary summary;
    for (const char* name : {"Ann", "Bob", "Cy"}) {
        StudentSummary student;
        student.name = fromUtf8(name);
        summary.add(student);
    }
    summary.students[1].questions[2] = {true, u"3", 3, 40};
    summary.students[1].questions[3] = {true, u"", std::nullopt, std::nullopt};
    const std::string html = htmlOverview(summary);
    auto count = [&](const std::string& what) {
        std::size_t n = 0;
        for (auto at = html.find(what); at != std::string::npos; at = html.find(what, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(count("<tr class=\"student\">"), 3u);
    EXPECT_EQ(count("<td class=\"q "), 36u);
    EXPECT_EQ(count("<td class=\"q none\""), 34u);
    EXPECT_EQ(count("<td class=\"q c3\" title=\"Question 3: answered, confidence &#8220;3&#8221;\">3</td>"), 1u);
    EXPECT_EQ(count("<td class=\"q cx\" title=\"Question 4: answered, confidence not given\">&#9675;</td>"), 1u);
}

TEST(HtmlReport, ConfidenceChartBarsFollowTheCounts) {
    QuestionSummary question;
    question.ratings = {0, 1, 2, 4};
    question.unrated = 0;
    const std::string svg = confidenceChart(question);
    EXPECT_NE(svg.find("aria-label=\"Confidence: 0: 0, 1: 1, 2: 2, 3: 4, &#8211;: 0\""), std::string::npos);
    EXPECT_NE(svg.find("height=\"50\" fill=\"#4caf50\""), std::string::npos) << "the tallest bar is full height";
    EXPECT_NE(svg.find("height=\"25\" fill=\"#a8d060\""), std::string::npos);
    EXPECT_NE(svg.find("height=\"0\" fill=\"#e06666\""), std::string::npos);
}

}  // namespace
}  // namespace stepwise::testing
