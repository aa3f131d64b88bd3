// The HTML report in a real browser: headless Chromium loads it from disk with no network, the
// test reads the DOM it built and keeps a screenshot in the build tree.
#include <fstream>
#include <regex>

#include "review/review_program_fixture.h"

namespace stepwise::testing {
namespace {

std::size_t count(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

class ReportInBrowser : public ReviewProgramTest {
protected:
    void SetUp() override {
        ReviewProgramTest::SetUp();
        if (IsSkipped()) return;
        if (!chromiumInstalled()) GTEST_SKIP() << "chromium is not installed (scripts/test.sh installs it)";
    }
};

TEST_F(ReportInBrowser, OverviewHasARowPerStudentACellPerQuestionAndNoStudentScriptRuns) {
    const auto page = output("report.html");
    ASSERT_EQ(run({"--html", page.string(), folder().string()}).status, 0);

    const std::string dom = chromium("--dump-dom", page);
    ASSERT_NE(dom.find("<table id=\"overview-table\">"), std::string::npos) << dom.substr(0, 500);
    const std::regex rowPattern("<tr class=\"student\">([\\s\\S]*?)</tr>");
    std::vector<std::string> names;
    for (std::sregex_iterator row(dom.begin(), dom.end(), rowPattern), end; row != end; ++row) {
        const std::string cells = (*row)[1];
        EXPECT_EQ(count(cells, "<td class=\"q "), 12u) << cells;
        const std::smatch name = [&] {
            std::smatch m;
            std::regex_search(cells, m, std::regex("<a href=\"#student-\\d+\">([^<]*)</a>"));
            return m;
        }();
        names.push_back(name[1]);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Ann Lee", "Cy", "Zo\xC3\xAB \xC3\x9Cmit"}));

    EXPECT_EQ(dom.find("<script"), std::string::npos) << "no script element at all";
    EXPECT_EQ(dom.find("<img"), std::string::npos);
    EXPECT_NE(dom.find("&lt;script&gt;document.documentElement.setAttribute('data-ran','yes')&lt;/script&gt;"),
              std::string::npos) << "the student's script is shown as text";
    const std::string htmlTag = dom.substr(dom.find("<html"), dom.find('>', dom.find("<html")) - dom.find("<html"));
    EXPECT_EQ(htmlTag.find("data-ran"), std::string::npos) << htmlTag;
    EXPECT_EQ(dom.find("<title>ran</title>"), std::string::npos);

    keepScreenshot(page, "review-report.png", "1280,1600");
}

}  // namespace
}  // namespace stepwise::testing
