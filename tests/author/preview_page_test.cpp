// The preview page: each block as the student sees it, its kind, the problems beside it, and
// nothing the author wrote taken as markup. Then the page in headless Chromium.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "author/author_run.h"
#include "author/block_kind.h"
#include "author/preview_page.h"
#include "format/assignment_file.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {
namespace {

using author::BlockKind;

struct KindRow {
    std::u16string block;
    BlockKind kind;
    std::string label;
    std::u16string shown;
};

TEST(PreviewPage, EachBlockIsShownAndNamedAsTheStudentProgramTakesIt) {
    const std::vector<KindRow> rows = {
        {u"`q007.  How far?{}Say why.", BlockKind::question, "question 7", u"`q007.  How far?\r\nSay why."},
        {u"`q0x1.  Odd number", BlockKind::question, "question 0", u"`q0x1.  Odd number"},
        {u"`aIt is 120 km.{}{}", BlockKind::answer, "worked answer", u"It is 120 km.\r\n\r\n"},
        {u"`Q003.  Caps", BlockKind::plain, "plain", u"`Q003.  Caps"},
        {u"`AShouted", BlockKind::plain, "plain", u"`AShouted"},
        {u"`ROUTINE Graph-2", BlockKind::routine, "routine graph2", u"`ROUTINE Graph-2"},
        {u"`routine", BlockKind::plain, "plain", u"`routine"},  // too short to run: shown as text
        {u"{{}}", BlockKind::plain, "plain", u"{\r\n}"},
    };
    for (const KindRow& row : rows) {
        const author::BlockMeaning meaning = author::blockMeaning(row.block);
        EXPECT_EQ(meaning.kind, row.kind) << row.label;
        EXPECT_EQ(meaning.label, row.label);
        EXPECT_EQ(meaning.shown, row.shown) << row.label;
    }
}

const std::string hostile =
    "009.  <i>Tags</i> & \"quotes\"\n"
    "set: <script>alert(1)</script>\n"
    "---\n"
    "`q001.  What does <b>bold</b> do?{}Next line & more.\n"
    "---\n"
    "`a\n"
    "---\n"
    "</div></section><script>document.title='ran'</script>\n"
    "---\n"
    "`routine graph9\n"
    "---\n"
    "end program\n";

TEST(PreviewPage, ProblemsStandBesideTheirBlocksAndTheAuthorsTextIsEscaped) {
    const std::string page = author::previewPage("x<y>.stepwise", readAssignment(hostile));
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_EQ(page.find("<script"), std::string::npos);
    EXPECT_EQ(page.find("<i>"), std::string::npos);
    EXPECT_NE(page.find("What does &lt;b&gt;bold&lt;/b&gt; do?\r\nNext line &amp; more."), std::string::npos);
    EXPECT_NE(page.find("<title>Preview: 009.  &lt;i&gt;Tags&lt;/i&gt; &amp; &quot;quotes&quot;</title>"),
              std::string::npos);
    EXPECT_NE(page.find("File: x&lt;y&gt;.stepwise"), std::string::npos);

    // One section per block, each with its kind; the routine's error inside its own section.
    const std::regex section("<section class=\"block (\\w+)\" id=\"block-(\\d+)\">([\\s\\S]*?)</section>");
    std::vector<std::string> kinds;
    std::string routineSection;
    for (std::sregex_iterator it(page.begin(), page.end(), section), end; it != end; ++it) {
        kinds.push_back((*it)[1]);
        if ((*it)[1] == "routine") routineSection = (*it)[3];
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"question", "answer", "routine", "plain"}));
    EXPECT_NE(routineSection.find("<li class=\"error\">line 10: error: unknown routine &quot;graph9&quot;"),
              std::string::npos) << routineSection;
}

TEST(PreviewPage, ProblemsBeforeTheFirstBlockAreListedAtTheTop) {
    const std::string page = author::previewPage("a", readAssignment("010.  T\ncolour: red\n---\nend program\n"));
    const std::size_t problem = page.find("line 2: error: unknown option");
    ASSERT_NE(problem, std::string::npos);
    EXPECT_LT(problem, page.find("<section"));
}

bool chromiumInstalled() { return std::system("command -v chromium >/dev/null 2>&1") == 0; }

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

TEST(PreviewInBrowser, OneElementPerBlockShowsTheAuthorsCharactersAndNoScriptRuns) {
#ifdef _WIN32
    GTEST_SKIP() << "headless Chromium runs on the Linux build";
#endif
    if (!chromiumInstalled()) GTEST_SKIP() << "chromium is not installed (scripts/test.sh installs it)";
    TempDir temp;
    const auto input = temp.path() / "hostile.stepwise", page = temp.path() / "preview.html";
    std::ofstream(input, std::ios::binary) << hostile;
    std::ostringstream out, err;
    ASSERT_EQ(author::runAuthor({"preview", "--html", page.string(), input.string()}, {out, err}), 1) << err.str();

    const auto dumped = temp.path() / "dom.html";
    const std::string command =
        "chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking "
        "--disable-component-update --disable-sync --user-data-dir=" + quoted((temp.path() / "profile").string()) +
        " --dump-dom " + quoted("file://" + page.string()) + " >" + quoted(dumped.string()) + " 2>/dev/null </dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string dom = readBytes(dumped);

    const std::regex shown("<div class=\"shown\">([\\s\\S]*?)</div>");
    std::vector<std::string> texts;
    for (std::sregex_iterator it(dom.begin(), dom.end(), shown), end; it != end; ++it) texts.push_back((*it)[1]);
    ASSERT_EQ(texts.size(), 4u) << dom.substr(0, 2000);
    EXPECT_EQ(texts[0], "`q001.  What does &lt;b&gt;bold&lt;/b&gt; do?\nNext line &amp; more.");
    EXPECT_EQ(texts[1], "&lt;/div&gt;&lt;/section&gt;&lt;script&gt;document.title='ran'&lt;/script&gt;");
    EXPECT_EQ(dom.find("<b>"), std::string::npos);
    EXPECT_EQ(dom.find("<script"), std::string::npos);
    EXPECT_EQ(dom.find("<title>ran</title>"), std::string::npos);
}

}  // namespace
}  // namespace stepwise::testing
