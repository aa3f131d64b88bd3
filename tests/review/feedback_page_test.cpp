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
             {4, "Question four", "first try", "3", Mark::wrong, true},
             {5, "Question five", "5 m", "3", Mark::right, false}}};
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
    EXPECT_NE(html.find("You answered 5 questions; 4 of your answers are marked, 2 of them right (50 %). Your points "
                        "average 0.00"), std::string::npos);
    EXPECT_NE(html.find("You answered this question again after it was marked"), std::string::npos);
    EXPECT_NE(html.find("<svg class=\"calibration-chart\""), std::string::npos);
    EXPECT_NE(html.find("<p class=\"calibration-summary\">You were over-confident at level 3 (right in 2 of 3"),
              std::string::npos) << "three answers marked at level 3";
    EXPECT_EQ(html.find("src="), std::string::npos);
    EXPECT_EQ(html.find("href="), std::string::npos);
}

TEST(FeedbackPage, CountsAndHandInsWithoutAnswersAreSaidInWords) {
    struct Case {
        const char* name;
        FeedbackStudent student;
        std::vector<std::string> present, absent;
    };
    const FeedbackItem one{1, "Q", "a", "2", Mark::right, false};
    const std::vector<Case> cases = {
        {"one answer, one marked", {"Ann", {one}},
         {"You answered 1 question; 1 of your answers is marked, 1 of them right (100 %)."},
         {"1 questions", "1 of your answers are marked", "calibration-summary"}},
        {"two answers, none marked",
         {"Ann", {{1, "Q", "a", "2", Mark::unmarked, false}, {2, "Q", "b", "2", Mark::unmarked, false}}},
         {"You answered 2 questions; none of your answers has been marked yet."}, {}},
        {"an empty hand-in", {"Dee", {}, "", {"send_1207Dee.txt is empty"}},
         {"<p class=\"nothing-found\">No answer was found in your hand-in: send_1207Dee.txt is empty. "},
         {"class=\"totals\"", "calibration-chart", "points", "0 questions"}},
        {"two hand-ins without answers",
         {"Dee", {}, "", {"send_1207Dee.txt is empty", "send_1208Dee.txt holds 1 lesson header and no answer"}},
         {"No answer was found in your hand-ins: send_1207Dee.txt is empty; send_1208Dee.txt holds 1 lesson header "
          "and no answer."},
         {"calibration-chart"}},
        {"a hostile file name", {"Dee", {}, "", {"send_1207<b>Dee.txt is empty"}},
         {"send_1207&lt;b&gt;Dee.txt is empty"}, {"<b>"}},
    };
    for (const Case& c : cases) {
        const std::string html = feedbackPageHtml(c.student);
        for (const std::string& text : c.present) EXPECT_NE(html.find(text), std::string::npos) << c.name << ": " << text;
        for (const std::string& text : c.absent) EXPECT_EQ(html.find(text), std::string::npos) << c.name << ": " << text;
    }
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
