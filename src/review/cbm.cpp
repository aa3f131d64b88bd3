#include "review/cbm.h"

#include "review/class_summary.h"

namespace stepwise::review {

std::optional<int> confidenceLevel(std::string_view typed) { return confidenceRating(fromUtf8(typed)); }

int cbmPoints(std::optional<int> level, bool right) {
    switch (level.value_or(0)) {
    case 1: return right ? 1 : 0;
    case 2: return right ? 2 : -2;
    case 3: return right ? 3 : -6;
    default: return 0;
    }
}

double bestRangeLow(int level) { return level == 1 ? 0.0 : level == 2 ? 2.0 / 3.0 : 0.8; }
double bestRangeHigh(int level) { return level == 1 ? 2.0 / 3.0 : level == 2 ? 0.8 : 1.0; }

std::optional<double> LevelFigures::shareRight() const {
    if (marked == 0) return std::nullopt;
    return static_cast<double>(right) / marked;
}

Calibration LevelFigures::calibration() const {
    if (marked == 0) return Calibration::nothingMarked;
    // Whole-number comparisons: right/marked against 2/3 and 4/5 without rounding.
    const bool aboveTwoThirds = 3 * right > 2 * marked;
    const bool belowTwoThirds = 3 * right < 2 * marked;
    const bool aboveFourFifths = 5 * right > 4 * marked;
    const bool belowFourFifths = 5 * right < 4 * marked;
    switch (level) {
    case 1: return aboveTwoThirds ? Calibration::underConfident : Calibration::withinRange;
    case 2:
        if (belowTwoThirds) return Calibration::overConfident;
        if (aboveFourFifths) return Calibration::underConfident;
        return Calibration::withinRange;
    default: return belowFourFifths ? Calibration::overConfident : Calibration::withinRange;
    }
}

void CbmFigures::add(std::string_view confidence, bool isRight) {
    const std::optional<int> lvl = confidenceLevel(confidence);
    ++marked;
    if (isRight) ++right;
    points += cbmPoints(lvl, isRight);
    if (!lvl || *lvl == 0) {
        ++noConfidence;
        return;
    }
    LevelFigures& figures = levels.at(*lvl - 1);
    ++figures.marked;
    if (isRight) ++figures.right;
}

void CbmFigures::add(const CbmFigures& other) {
    marked += other.marked;
    right += other.right;
    points += other.points;
    noConfidence += other.noConfidence;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        levels[i].marked += other.levels[i].marked;
        levels[i].right += other.levels[i].right;
    }
}

std::optional<double> CbmFigures::accuracy() const {
    if (marked == 0) return std::nullopt;
    return static_cast<double>(right) / marked;
}

std::optional<double> CbmFigures::cbmAverage() const {
    if (marked == 0) return std::nullopt;
    return static_cast<double>(points) / marked;
}

}  // namespace stepwise::review
