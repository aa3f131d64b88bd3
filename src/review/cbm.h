#pragma once
// Certainty-based marking: the points a marked answer earns with the confidence the student gave
// it, and how well a student's confidence matched their results.
#include <array>
#include <optional>
#include <string_view>

namespace stepwise::review {

enum class Mark { unmarked, right, wrong };

// The confidence level 0-3 of a rating as typed (UTF-8; "3", " 2 "), as the class summary reads
// it; empty for anything else (an empty rating, a word, "2.5", a number outside 0-3), which
// counts as no confidence.
std::optional<int> confidenceLevel(std::string_view typed);

// Points for one marked answer: level 1 right 1 / wrong 0, level 2 right 2 / wrong -2,
// level 3 right 3 / wrong -6, level 0 or no rating 0 either way.
int cbmPoints(std::optional<int> level, bool right);

// Where a level's share right lies against the range in which that level earns the most points
// (level 1 below 2/3, level 2 from 2/3 to 4/5, level 3 above 4/5; the bounds belong to both
// neighbours, whose expected points are equal there).
enum class Calibration { nothingMarked, withinRange, overConfident, underConfident };

struct LevelFigures {
    int level = 0;   // 1-3
    int marked = 0;
    int right = 0;
    std::optional<double> shareRight() const;
    Calibration calibration() const;
};

// The lower and upper bound of a level's best range, as shares.
double bestRangeLow(int level);
double bestRangeHigh(int level);

// A student's (or the class's) marked answers summed up.
struct CbmFigures {
    int marked = 0;
    int right = 0;
    int points = 0;
    int noConfidence = 0;                   // marked answers rated 0 or not rated 1-3
    std::array<LevelFigures, 3> levels{{{1}, {2}, {3}}};

    void add(std::string_view confidence, bool right);
    void add(const CbmFigures& other);
    std::optional<double> accuracy() const;     // right / marked; empty when nothing is marked
    std::optional<double> cbmAverage() const;   // points / marked; empty when nothing is marked
    const LevelFigures& level(int level) const { return levels.at(level - 1); }
};

}  // namespace stepwise::review
