#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "review/feedback_page.h"
#include "support/temp_dir.h"

namespace stepwise::review {
namespace {

FeedbackStudent annWithAHostileAnswer() {
    return {"Ann Lee",
            {{1, "How far is 60 mph for 2 hours?", "<script>document.title='run'</script>\r\n120 miles", "3",
              Mark::right, false},
             {2, "Rate & time?", "\"speed\" = d/t", "three", Mark::wrong, false},
             {3, "Question three", "not sure", "2", Mark::unmarked, false},
             {4, "Question four", "first try", "3", Mark::wrong, true}}};
}

TEST(FeedbackPage, ShowsEachAnswerWithMarkConfidenceAndPoints) {
    const std::string html = feedbackPageHtml(annWithAHostileAnswer());
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;document.title=&#39;run&#39;&lt;/script&gt;\r\n120 miles"), std::string::npos);
    EXPECT_NE(html.find("Rate &amp; time?"), std::string::npos);
    EXPECT_NE(html.find("\"three\" (not 0-3, counts as none)"), std::string::npos);
    for (const char* points : {"<span class=\"points\">+3</span>", "<span class=\"points\">0</span>",
                               "<span class=\"points\">-</span>", "<span class=\"points\">-6</span>"})
        EXPECT_NE(html.find(points), std::string::npos) << points;
    EXPECT_NE(html.find("3 of your answers are marked, 1 of them right (33 %). Your points average -1.00"),
              std::string::npos);
    EXPECT_NE(html.find("You answered this question again after it was marked"), std::string::npos);
    EXPECT_NE(html.find("<svg class=\"calibration-chart\""), std::string::npos);
    EXPECT_NE(html.find("<p class=\"calibration-summary\">You were over-confident at level 3"), std::string::npos);
    EXPECT_EQ(html.find("src="), std::string::npos);
    EXPECT_EQ(html.find("href="), std::string::npos);
}

TEST(FeedbackPage, OnePagePerStudentInTheFolder) {
    const std::vector<std::pair<std::string, std::string>> names = {
        {"Ann Lee", "Ann_Lee.html"}, {"a/b\\c:d", "a_b_c_d.html"}, {"..", "__.html"}, {"Zo\xC3\xAB", "Zo\xC3\xAB.html"}};
    for (const auto& [name, file] : names) EXPECT_EQ(feedbackFileName(name), file);

    testing::TempDir dir;
    const std::filesystem::path folder = dir.path() / "feedback" / "week 1";
    FeedbackStudent bob = {"Bob Ng", {}};
    writeFeedbackPages(folder, {annWithAHostileAnswer(), bob});
    std::ifstream in(folder / "Bob_Ng.html", std::ios::binary);
    const std::string page{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(page.find("none of your answers has been marked yet"), std::string::npos);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "Ann_Lee.html"));
}

}  // namespace
}  // namespace stepwise::review
