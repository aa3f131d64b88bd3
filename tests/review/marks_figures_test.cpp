// The figures of a small class, computed by hand: ratings of 0 and a word, unmarked answers and
// a question answered again after it was marked.
#include <gtest/gtest.h>

#include "review/calibration_chart.h"
#include "review/marks_file.h"
#include "review/students_csv.h"

namespace stepwise::review {
namespace {

const std::string bom = "\xEF\xBB\xBF";

MarksTable markedClass() {
    MarksTable table = parseMarksFile(bom +
        "student,question,confidence,mark,response\r\n"
        "Ann Lee,1,3,1,a1\r\n"        // right at 3: +3
        "Ann Lee,2,3,0,a2\r\n"        // wrong at 3: -6
        "Ann Lee,3,0,r,a3\r\n"        // right at 0: 0, no confidence
        "Ann Lee,4,sure,W,a4\r\n"     // wrong, a word for a rating: 0, no confidence
        "Ann Lee,5,2,,a5\r\n"         // unmarked
        "Ann Lee,6,1,0,a6 first\r\n"  // wrong at 1: 0; answered again since, at 3
        "Bob Ng,1,2,1.0,b1\r\n"       // right at 2: +2
        "Bob Ng,2,2,right,b2\r\n"     // right at 2: +2
        "Bob Ng,3,1,1,b3\r\n"         // right at 1: +1
        "Bob Ng,4,3,?,b4\r\n"         // not a mark: unmarked
        "Cy Ray,1,2,,c1\r\n");        // nothing marked
    mergeAnswers(table, {{"Ann Lee", 1, "3", "a1"}, {"Ann Lee", 2, "3", "a2"}, {"Ann Lee", 3, "0", "a3"},
                         {"Ann Lee", 4, "sure", "a4"}, {"Ann Lee", 5, "2", "a5"}, {"Ann Lee", 6, "3", "a6 again"},
                         {"Bob Ng", 1, "2", "b1"}, {"Bob Ng", 2, "2", "b2"}, {"Bob Ng", 3, "1", "b3"},
                         {"Bob Ng", 4, "3", "b4"}, {"Cy Ray", 1, "2", "c1"}});
    return table;
}

TEST(MarksFigures, MatchTheHandComputedValues) {
    const MarksTable table = markedClass();
    const CbmFigures ann = studentFigures(table, "Ann Lee");
    EXPECT_EQ(ann.marked, 5);
    EXPECT_EQ(ann.right, 2);
    EXPECT_EQ(ann.points, -3);
    EXPECT_EQ(ann.noConfidence, 2);
    EXPECT_EQ(ann.level(1).marked, 1);
    EXPECT_EQ(ann.level(1).right, 0);
    EXPECT_EQ(ann.level(2).marked, 0);
    EXPECT_EQ(ann.level(3).marked, 2);
    EXPECT_EQ(ann.level(3).right, 1);

    const CbmFigures bob = studentFigures(table, "Bob Ng");
    EXPECT_EQ(bob.marked, 3);
    EXPECT_EQ(bob.right, 3);
    EXPECT_EQ(bob.points, 5);

    CbmFigures wholeClass;
    for (const char* name : {"Ann Lee", "Bob Ng", "Cy Ray"}) wholeClass.add(studentFigures(table, name));
    EXPECT_EQ(wholeClass.marked, 8);
    EXPECT_EQ(wholeClass.right, 5);
    EXPECT_EQ(wholeClass.points, 2);

    EXPECT_EQ(studentsCsv({{"Ann Lee", 6, "2", "12", 1, ann}, {"Bob Ng", 4, "2", "7", 0, bob},
                           {"Cy Ray", 1, "2", "0", 0, studentFigures(table, "Cy Ray")}}),
              bom + "student,answered,median_confidence,minutes_on_task,notes,marked,right,accuracy,cbm_average\r\n"
                    "\"Ann Lee\",6,2,12,1,5,2,0.40,-0.60\r\n"
                    "\"Bob Ng\",4,2,7,0,3,3,1.00,1.67\r\n"
                    "\"Cy Ray\",1,2,0,0,0,0,,\r\n");

    // No level of anyone, the class included, has three marked answers.
    EXPECT_EQ(calibrationSummary(ann, Speaker::you()),
              "Too few of your answers are marked at any one confidence level to judge calibration: it takes 3 at a "
              "level.");
    EXPECT_EQ(calibrationSummary(wholeClass, Speaker::named("the class")),
              "Too few of the class's answers are marked at any one confidence level to judge calibration: it takes "
              "3 at a level.");
    EXPECT_FALSE(calibrationCanBeJudged(bob));
}

TEST(MarksFigures, ALevelSpeaksOnlyWithThreeMarkedAnswers) {
    const auto figures = [](std::vector<std::pair<const char*, bool>> marks) {
        CbmFigures out;
        for (const auto& [confidence, right] : marks) out.add(confidence, right);
        return out;
    };
    const std::string tooFew = "Too few of your answers are marked at any one confidence level to judge calibration: "
                               "it takes 3 at a level.";
    struct Case {
        const char* name;
        CbmFigures figures;
        bool judged;
        std::string sentence;
    };
    const std::vector<Case> cases = {
        {"nothing marked", CbmFigures{}, false, "None of your answers has been marked yet."},
        {"only confidence 0", figures({{"0", true}, {"0", true}, {"0", false}}), false, tooFew},
        {"two at each level", figures({{"1", false}, {"1", true}, {"2", true}, {"2", true}, {"3", true}, {"3", false}}),
         false, tooFew},
        {"three at level 3, one at level 1", figures({{"3", true}, {"3", true}, {"3", true}, {"1", true}}), true,
         "You were well calibrated at level 3: the share right lies in the range where the level pays best."},
        {"three at level 3, two right", figures({{"3", true}, {"3", false}, {"3", true}, {"2", false}}), true,
         "You were over-confident at level 3 (right in 2 of 3, 67 %, where level 3 pays best above 80 %)."},
        {"three at levels 1 and 2", figures({{"1", false}, {"1", false}, {"1", true}, {"2", true}, {"2", true},
                                             {"2", true}}),
         true, "You were under-confident at level 2 (right in 3 of 3, 100 %, where level 2 pays best between 67 and "
               "80 %) and well calibrated at level 1."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(calibrationCanBeJudged(c.figures), c.judged) << c.name;
        EXPECT_EQ(calibrationSummary(c.figures, Speaker::you()), c.sentence) << c.name;
    }
}

TEST(MarksFigures, TwoDecimalsRoundHalfAwayAndNeverShowMinusZero) {
    const std::vector<std::pair<std::optional<double>, std::string>> cases = {
        {std::nullopt, ""}, {0.625, "0.63"}, {-0.6, "-0.60"}, {-0.004, "0.00"}, {1.0, "1.00"}, {-6, "-6.00"},
        {5.0 / 3, "1.67"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(twoDecimals(value), text);
}

}  // namespace
}  // namespace stepwise::review
