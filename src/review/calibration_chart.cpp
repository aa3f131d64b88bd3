#include "review/calibration_chart.h"

#include <cmath>
#include <vector>

#include "format/html_escape.h"

namespace stepwise::review {

namespace {

// Chart geometry in SVG user units.
constexpr int chartWidth = 420;
constexpr int chartHeight = 250;
constexpr int plotLeft = 52;
constexpr int plotTop = 34;
constexpr int plotHeight = 160;
constexpr int plotBottom = plotTop + plotHeight;
constexpr int columnWidth = 120;

std::string number(double value) {
    const long long tenths = std::llround(value * 10);
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10) text += "." + std::to_string(std::llabs(tenths % 10));
    return text;
}

double yFor(double share) { return plotBottom - plotHeight * share; }

const char* barColour(Calibration calibration) {
    switch (calibration) {
    case Calibration::overConfident: return "#c62828";
    case Calibration::underConfident: return "#1565c0";
    default: return "#2e7d32";
    }
}

std::string levelList(const std::vector<int>& levels) {
    std::string text = levels.size() == 1 ? "level " : "levels ";
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (i > 0) text += i + 1 == levels.size() ? " and " : ", ";
        text += std::to_string(levels[i]);
    }
    return text;
}

std::string joined(const std::vector<std::string>& clauses) {
    std::string text;
    for (std::size_t i = 0; i < clauses.size(); ++i) {
        if (i > 0) text += i + 1 == clauses.size() ? " and " : ", ";
        text += clauses[i];
    }
    return text;
}

std::string capitalised(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string offRangeClause(const LevelFigures& level) {
    const std::string name = std::to_string(level.level);
    return std::string(level.calibration() == Calibration::overConfident ? "over" : "under") +
           "-confident at level " + name + " (right in " + std::to_string(level.right) + " of " +
           std::to_string(level.marked) + ", " + percentText(*level.shareRight()) + ", where level " + name +
           " pays best " + bestRangeText(level.level) + ")";
}

void appendAxes(std::string& svg) {
    for (const double share : {0.0, 0.5, 1.0}) {
        const std::string y = number(yFor(share));
        svg += "<line x1=\"" + std::to_string(plotLeft) + "\" x2=\"" + std::to_string(plotLeft + 3 * columnWidth) +
               "\" y1=\"" + y + "\" y2=\"" + y + "\" stroke=\"#999\" stroke-width=\"0.5\"/>";
        svg += "<text x=\"" + std::to_string(plotLeft - 6) + "\" y=\"" + number(yFor(share) + 4) +
               "\" text-anchor=\"end\" font-size=\"11\">" + percentText(share) + "</text>";
    }
}

int columnLeft(int level) { return plotLeft + (level - 1) * columnWidth; }

void appendBestRange(std::string& svg, const LevelFigures& level) {
    const int left = columnLeft(level.level);
    const double top = yFor(bestRangeHigh(level.level));
    const double bottom = yFor(bestRangeLow(level.level));
    svg += "<rect class=\"best-range\" data-level=\"" + std::to_string(level.level) + "\" x=\"" +
           std::to_string(left + 6) + "\" y=\"" + number(top) + "\" width=\"" + std::to_string(columnWidth - 12) +
           "\" height=\"" + number(bottom - top) + "\" fill=\"#d7eed7\"><title>level " +
           std::to_string(level.level) + " pays best " + bestRangeText(level.level) + "</title></rect>";
}

void appendShareRight(std::string& svg, const LevelFigures& level) {
    const int middle = columnLeft(level.level) + columnWidth / 2;
    std::string caption;
    if (const std::optional<double> share = level.shareRight()) {
        const double barTop = yFor(*share);
        svg += "<rect class=\"share-right\" data-level=\"" + std::to_string(level.level) + "\" data-marked=\"" +
               std::to_string(level.marked) + "\" data-right=\"" + std::to_string(level.right) + "\" x=\"" +
               std::to_string(middle - 18) + "\" y=\"" + number(barTop) + "\" width=\"36\" height=\"" +
               number(plotBottom - barTop) + "\" fill=\"" + barColour(level.calibration()) + "\"/>";
        svg += "<text x=\"" + std::to_string(middle) + "\" y=\"" + number(barTop - 4) +
               "\" text-anchor=\"middle\" font-size=\"11\">" + percentText(*share) + "</text>";
        caption = std::to_string(level.right) + " of " + std::to_string(level.marked) + " right";
    } else {
        caption = "none marked";
    }
    svg += "<text x=\"" + std::to_string(middle) + "\" y=\"" + std::to_string(plotBottom + 18) +
           "\" text-anchor=\"middle\" font-size=\"12\">confidence " + std::to_string(level.level) + "</text>";
    svg += "<text x=\"" + std::to_string(middle) + "\" y=\"" + std::to_string(plotBottom + 34) +
           "\" text-anchor=\"middle\" font-size=\"11\" fill=\"#444\">" + caption + "</text>";
}

}  // namespace

std::string bestRangeText(int level) {
    switch (level) {
    case 1: return "below 67 %";
    case 2: return "between 67 and 80 %";
    default: return "above 80 %";
    }
}

std::string percentText(double share) { return std::to_string(std::llround(share * 100)) + " %"; }

bool calibrationCanBeJudged(const CbmFigures& figures) {
    for (const LevelFigures& level : figures.levels)
        if (level.marked >= fewestMarkedToJudge) return true;
    return false;
}

std::string calibrationSummary(const CbmFigures& figures, const Speaker& speaker) {
    if (figures.marked == 0) return capitalised("none of " + speaker.possessive + " answers has been marked yet.");
    if (!calibrationCanBeJudged(figures))
        return capitalised("too few of " + speaker.possessive + " answers are marked at any one confidence level to "
                           "judge calibration: it takes " + std::to_string(fewestMarkedToJudge) + " at a level.");
    std::vector<std::string> offRange;
    std::vector<int> withinRange;
    for (const LevelFigures& level : figures.levels) {
        if (level.marked < fewestMarkedToJudge) continue;
        const Calibration calibration = level.calibration();
        if (calibration == Calibration::withinRange) withinRange.push_back(level.level);
        if (calibration == Calibration::overConfident || calibration == Calibration::underConfident)
            offRange.push_back(offRangeClause(level));
    }
    if (offRange.empty())
        return capitalised(speaker.subject + " " + speaker.verb + " well calibrated at " + levelList(withinRange) +
                           ": the share right lies in the range where the level pays best.");
    if (!withinRange.empty()) offRange.push_back("well calibrated at " + levelList(withinRange));
    return capitalised(speaker.subject + " " + speaker.verb + " " + joined(offRange) + ".");
}

std::string calibrationChartSvg(const CbmFigures& figures, std::string_view title, const Speaker& speaker) {
    const std::string summary = escapeHtml(calibrationSummary(figures, speaker));
    std::string svg = "<svg class=\"calibration-chart\" xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" width=\"" +
                      std::to_string(chartWidth) + "\" height=\"" + std::to_string(chartHeight) +
                      "\" viewBox=\"0 0 " + std::to_string(chartWidth) + " " + std::to_string(chartHeight) +
                      "\" aria-label=\"" + summary + "\" font-family=\"sans-serif\">";
    svg += "<title>" + summary + "</title>";
    svg += "<text x=\"" + std::to_string(plotLeft) + "\" y=\"18\" font-size=\"13\" font-weight=\"bold\">" +
           escapeHtml(title) + "</text>";
    for (const LevelFigures& level : figures.levels) appendBestRange(svg, level);
    appendAxes(svg);
    for (const LevelFigures& level : figures.levels) appendShareRight(svg, level);
    svg += "<text x=\"" + std::to_string(plotLeft) + "\" y=\"" + std::to_string(chartHeight - 6) +
           "\" font-size=\"10\" fill=\"#444\">shaded: the share right at which each level pays best</text>";
    svg += "</svg>";
    return svg;
}

}  // namespace stepwise::review
