#pragma once
// The calibration picture: at each confidence level 1-3, the share of marked answers that were
// right, drawn against the range in which that level earns the most points; and one plain
// sentence saying what it shows.
#include <string>
#include <string_view>

#include "review/cbm.h"

namespace stepwise::review {

// Who the sentence speaks of: the student reading their feedback, or a named student or class.
struct Speaker {
    std::string subject;     // "you", "Ann Lee", "the class"
    std::string possessive;  // "your", "Ann Lee's", "the class's"
    std::string verb;        // "were", "was"
    static Speaker you() { return {"you", "your", "were"}; }
    static Speaker named(std::string name) { return {name, name + "'s", "was"}; }
};

// A self-contained inline SVG element (no script, no external resource). `title` heads the
// chart; it and the summary are escaped.
std::string calibrationChartSvg(const CbmFigures& figures, std::string_view title, const Speaker& speaker);

// The fewest marked answers at one level that say anything about calibration there.
inline constexpr int fewestMarkedToJudge = 3;

// True when some level 1-3 has at least fewestMarkedToJudge marked answers: only then is the
// sentence below written beside the chart.
bool calibrationCanBeJudged(const CbmFigures& figures);

// One sentence on the levels with enough marked answers, e.g. "You were over-confident at level 3
// (right in 2 of 5, 40 %, where level 3 pays best above 80 %) and well calibrated at level 1."
// Where no level has enough, it says so (the chart's text alternative).
std::string calibrationSummary(const CbmFigures& figures, const Speaker& speaker);

// "below 67 %", "between 67 and 80 %", "above 80 %".
std::string bestRangeText(int level);

// A share as a whole percentage: "40 %".
std::string percentText(double share);

}  // namespace stepwise::review
