#include <gtest/gtest.h>

#include "review/cbm.h"

namespace stepwise::review {
namespace {

TEST(Cbm, ConfidenceAsTypedGivesALevelOnlyForZeroToThree) {
    const std::vector<std::pair<std::string, std::optional<int>>> cases = {
        {"0", 0},  {"1", 1},          {"2", 2},          {"3", 3},  {" 3 ", 3},  {"2.0", std::nullopt},
        {"3.", std::nullopt}, {"", std::nullopt}, {"three", std::nullopt}, {"4", std::nullopt}, {"-1", std::nullopt},
        {"2.5", std::nullopt}, {"33", std::nullopt}, {"3x", std::nullopt}, {"1 2", std::nullopt},
    };
    for (const auto& [typed, level] : cases) EXPECT_EQ(confidenceLevel(typed), level) << '"' << typed << '"';
}

TEST(Cbm, PointsForEachLevel) {
    const std::vector<std::tuple<std::optional<int>, int, int>> cases = {
        {1, 1, 0}, {2, 2, -2}, {3, 3, -6}, {0, 0, 0}, {std::nullopt, 0, 0},
    };
    for (const auto& [level, right, wrong] : cases) {
        EXPECT_EQ(cbmPoints(level, true), right);
        EXPECT_EQ(cbmPoints(level, false), wrong);
    }
}

TEST(Cbm, CalibrationAgainstTheBestRangeOfEachLevel) {
    struct Case {
        int level, marked, right;
        Calibration expected;
    };
    const std::vector<Case> cases = {
        {1, 0, 0, Calibration::nothingMarked},
        {1, 3, 2, Calibration::withinRange},     // 2/3: levels 1 and 2 pay the same
        {1, 4, 3, Calibration::underConfident},  // 75 %
        {1, 4, 0, Calibration::withinRange},
        {2, 5, 3, Calibration::overConfident},   // 60 %
        {2, 3, 2, Calibration::withinRange},
        {2, 5, 4, Calibration::withinRange},     // 4/5: levels 2 and 3 pay the same
        {2, 6, 5, Calibration::underConfident},  // 83 %
        {3, 4, 3, Calibration::overConfident},   // 75 %
        {3, 5, 4, Calibration::withinRange},
        {3, 2, 2, Calibration::withinRange},
    };
    for (const Case& c : cases) {
        const LevelFigures figures{c.level, c.marked, c.right};
        EXPECT_EQ(figures.calibration(), c.expected) << c.level << ": " << c.right << " of " << c.marked;
    }
}

TEST(Cbm, FiguresOfOneStudentAddUp) {
    CbmFigures figures;
    figures.add("3", true);      // +3
    figures.add("3", false);     // -6
    figures.add("2", true);      // +2
    figures.add("1", false);     //  0
    figures.add("0", true);      //  0, no confidence
    figures.add("sure", false);  //  0, no confidence
    EXPECT_EQ(figures.marked, 6);
    EXPECT_EQ(figures.right, 3);
    EXPECT_EQ(figures.points, -1);
    EXPECT_EQ(figures.noConfidence, 2);
    EXPECT_DOUBLE_EQ(*figures.accuracy(), 0.5);
    EXPECT_DOUBLE_EQ(*figures.cbmAverage(), -1.0 / 6);
    EXPECT_EQ(figures.level(3).marked, 2);
    EXPECT_EQ(figures.level(3).right, 1);
    EXPECT_EQ(figures.level(2).marked, 1);
    EXPECT_EQ(figures.level(1).right, 0);

    CbmFigures total;
    total.add(figures);
    total.add(figures);
    EXPECT_EQ(total.points, -2);
    EXPECT_EQ(total.level(3).marked, 4);
    EXPECT_FALSE(CbmFigures{}.accuracy());
    EXPECT_FALSE(CbmFigures{}.cbmAverage());
}

}  // namespace
}  // namespace stepwise::review
