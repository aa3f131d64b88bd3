// The HTML report printed by headless Chromium, as an instructor prints it on A4 or Letter paper:
// the PDF's pages, read back as text with pdftotext, must show a class of 30 on at most two pages
// of overview, the overview's header row on each of its pages, each student's section starting a
// page of its own, and no page ending on a heading.
#include <chrono>
#include <fstream>
#include <iostream>
#include <regex>
#include <set>

#include "review/review_program_fixture.h"
#include "support/sample_class.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;

std::string trimmed(const std::string& line) {
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return line.substr(first, line.find_last_not_of(" \t") - first + 1);
}

std::vector<std::string> nonBlankLines(const std::string& page) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= page.size()) {
        const std::size_t end = std::min(page.find('\n', start), page.size());
        if (std::string line = trimmed(page.substr(start, end - start)); !line.empty()) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

class ReportPrinting : public ReviewProgramTest {
protected:
    void SetUp() override {
        ReviewProgramTest::SetUp();
        if (IsSkipped()) return;
        if (!chromiumInstalled()) GTEST_SKIP() << "chromium is not installed (scripts/test.sh installs it)";
        ASSERT_EQ(std::system("command -v pdftotext >/dev/null 2>&1"), 0)
            << "pdftotext is missing: install poppler-utils (scripts/test.sh does)";
    }

    // The report printed on paper of the given size (CSS `size`), as the text of each page.
    std::vector<std::string> printedPages(const fs::path& report, const std::string& paper) {
        std::ifstream in(report, std::ios::binary);
        std::string html((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        html.insert(html.find("</head>"), "<style>@page { size: " + paper + "; margin: 12mm; }</style>\n");
        const fs::path copy = temp.path() / "printed.html", pdf = temp.path() / "printed.pdf";
        std::ofstream(copy, std::ios::binary | std::ios::trunc) << html;
        fs::remove(pdf);
        chromium("--no-pdf-header-footer --print-to-pdf=" + quoted(pdf.string()), copy);
        const fs::path text = temp.path() / "printed.txt";
        const ProgramRun pdftotext = runCommand({"pdftotext", "-layout", pdf.string(), text.string()});
        EXPECT_EQ(pdftotext.status, 0) << pdftotext.err;
        std::vector<std::string> pages;
        std::string all = readBytes(text);
        std::size_t start = 0;
        for (std::size_t feed = all.find('\f'); feed != std::string::npos; feed = all.find('\f', start)) {
            pages.push_back(all.substr(start, feed - start));
            start = feed + 1;
        }
        return pages;
    }
};

TEST_F(ReportPrinting, AClassOfThirtyPrintsItsOverviewOnTwoPagesAndEachStudentOnPagesOfTheirOwn) {
    const fs::path drive = temp.path() / "class-of-30";
    std::filesystem::create_directories(drive);
    writeGeneratedClass(drive, 60);
    const auto report = output("report.html");
    const ProgramRun run = this->run({"--marks", output("marks.csv").string(), "--html", report.string(),
                                      (drive / "qwelrand").string()});
    ASSERT_LE(run.status, 1) << run.err;

    const std::regex overviewRow("^Student 10[0-9][0-9]\\s+\\S.*");
    const std::regex studentHeading("^Student 10[0-9][0-9]$");
    const std::regex headerRow("^Student\\s+1\\s+2\\s+3\\s.*");
    const std::set<std::string> sectionHeadings = {"Class review", "Class overview", "Questions", "Marks and confidence",
                                                   "Confident errors", "Students", "Problems"};
    struct Paper {
        const char* name;
        const char* size;
        std::size_t mostOverviewPages;
    };
    const std::vector<Paper> papers = {{"A4", "210mm 297mm", 2}, {"Letter", "8.5in 11in", 2}, {"A6", "105mm 148mm", 99}};
    const auto started = std::chrono::steady_clock::now();
    for (const Paper& paper : papers) {
        SCOPED_TRACE(paper.name);
        const std::vector<std::string> pages = printedPages(report, paper.size);
        ASSERT_GT(pages.size(), 30u);
        std::vector<std::size_t> overviewPages;
        std::set<std::string> studentsStarted;
        for (std::size_t i = 0; i < pages.size(); ++i) {
            const std::vector<std::string> lines = nonBlankLines(pages[i]);
            if (lines.empty()) continue;
            bool hasRow = false, hasHeader = false;
            for (const std::string& line : lines) {
                hasRow = hasRow || std::regex_match(line, overviewRow);
                hasHeader = hasHeader || std::regex_match(line, headerRow);
            }
            if (hasRow) {
                overviewPages.push_back(i);
                EXPECT_TRUE(hasHeader) << "page " << i + 1 << " holds overview rows without the header row:\n"
                                       << pages[i];
            }
            // A section starts its page; the first may follow the heading of them all.
            const std::size_t first = lines.front() == "Students" && lines.size() > 1 ? 1 : 0;
            if (std::regex_match(lines[first], studentHeading)) studentsStarted.insert(lines[first]);
            if (i + 1 < pages.size()) {
                EXPECT_FALSE(sectionHeadings.count(lines.back()) || std::regex_match(lines.back(), studentHeading))
                    << "page " << i + 1 << " ends on the heading \"" << lines.back() << "\"";
            }
        }
        ASSERT_FALSE(overviewPages.empty()) << pages.front();
        EXPECT_TRUE(studentsStarted.count("Student 1000") && studentsStarted.count("Student 1029"));
        EXPECT_EQ(overviewPages.front(), 0u);
        EXPECT_EQ(overviewPages.back() - overviewPages.front() + 1, overviewPages.size()) << "one run of pages";
        EXPECT_LE(overviewPages.size(), paper.mostOverviewPages);
        std::cout << paper.name << ": " << pages.size() << " pages, the overview on " << overviewPages.size() << ", "
                  << std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - started).count()
                  << " s\n";
        EXPECT_EQ(studentsStarted.size(), 30u) << "each student's section starts a page";
        if (std::string(paper.name) == "A6") EXPECT_GT(overviewPages.size(), 1u) << "the header row was shown again";
    }
}

}  // namespace
}  // namespace stepwise::testing
