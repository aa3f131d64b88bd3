#include <gtest/gtest.h>

#include "review/review_options.h"
#include "system/path_text.h"

namespace stepwise::testing {
namespace {

using review::parseReviewOptions;

TEST(ReviewOptions, UsageErrorsAreFoundBeforeAnythingRuns) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "no PATH given"},
        {{"--html", "r.html"}, "no PATH given"},
        {{"class", "--html"}, "--html needs a file name"},
        {{"--csv=", "class"}, "--csv needs a file name"},
        {{"--csv", "a.csv", "--csv", "b.csv", "class"}, "--csv is given more than once"},
        {{"--csv", "--html", "r.html", "class"}, "--csv needs a file name"},
        {{"--htm", "r.html", "class"}, "unknown option --htm"},
        {{"-x", "class"}, "unknown option -x"},
        {{"--feedback", "class"}, "no PATH given"},
        {{"class", ""}, "an empty PATH"},
    };
    for (const auto& [args, error] : cases) {
        const auto parsed = parseReviewOptions(args);
        EXPECT_EQ(parsed.error.substr(0, error.size()), error) << (args.empty() ? "" : args[0]);
    }
}

TEST(ReviewOptions, ReportsAndPathsInAnyOrder) {
    auto parsed = parseReviewOptions({"week1", "--csv=all.csv", "--html", "r\xC3\xA9port.html", "--", "--odd", "-"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.csv, std::filesystem::path("all.csv"));
    EXPECT_EQ(utf8Path(*parsed.options.html), "r\xC3\xA9port.html");
    EXPECT_EQ(parsed.options.paths, (std::vector<std::filesystem::path>{"week1", "--odd", "-"}));
    EXPECT_FALSE(parsed.options.terminalSummary());

    parsed = parseReviewOptions({"--marks", "m.csv", "--feedback=pages", "--students-csv", "s.csv", "class"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.marks, std::filesystem::path("m.csv"));
    EXPECT_EQ(parsed.options.feedback, std::filesystem::path("pages"));
    EXPECT_EQ(parsed.options.studentsCsv, std::filesystem::path("s.csv"));
    EXPECT_FALSE(parsed.options.terminalSummary());
    EXPECT_TRUE(parseReviewOptions({"--marks", "m.csv", "class"}).options.terminalSummary());

    parsed = parseReviewOptions({"class"});
    EXPECT_TRUE(parsed.options.terminalSummary());
    EXPECT_TRUE(parseReviewOptions({"--help"}).options.help) << "needs no PATH";
    EXPECT_TRUE(parseReviewOptions({"--version"}).options.version);
    parsed = parseReviewOptions({"--csv", "--bogus", "--help"});
    EXPECT_TRUE(parsed.options.help) << "wherever it stands";
    EXPECT_EQ(parsed.error, "");
}

}  // namespace
}  // namespace stepwise::testing
