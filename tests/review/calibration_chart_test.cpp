#include <gtest/gtest.h>

#include <regex>

#include "review/calibration_chart.h"

namespace stepwise::review {
namespace {

// The value of an attribute of the first element of class `cls` with data-level `level`.
std::string attribute(const std::string& svg, const std::string& cls, int level, const std::string& name) {
    const std::regex element("<rect class=\"" + cls + "\" data-level=\"" + std::to_string(level) + "\"[^>]*>");
    std::smatch found;
    if (!std::regex_search(svg, found, element)) return "(none)";
    const std::string tag = found.str();
    std::smatch value;
    if (!std::regex_search(tag, value, std::regex(" " + name + "=\"([^\"]*)\""))) return "(no " + name + ")";
    return value[1];
}

TEST(CalibrationChart, ShadesEachBestRangeAndDrawsTheShareRight) {
    CbmFigures figures;
    for (int i = 0; i < 4; ++i) figures.add("3", i < 2);  // 50 % at level 3
    for (int i = 0; i < 3; ++i) figures.add("1", true);  // 100 % at level 1
    const std::string svg = calibrationChartSvg(figures, "Ann <b>Lee</b>", Speaker::named("Ann Lee"));

    // The plot runs from y 194 (0 %) up 160 units to y 34 (100 %).
    EXPECT_EQ(attribute(svg, "best-range", 1, "y"), "87.3");
    EXPECT_EQ(attribute(svg, "best-range", 1, "height"), "106.7");
    EXPECT_EQ(attribute(svg, "best-range", 2, "y"), "66");
    EXPECT_EQ(attribute(svg, "best-range", 2, "height"), "21.3");
    EXPECT_EQ(attribute(svg, "best-range", 3, "y"), "34");
    EXPECT_EQ(attribute(svg, "best-range", 3, "height"), "32");

    EXPECT_EQ(attribute(svg, "share-right", 3, "height"), "80");
    EXPECT_EQ(attribute(svg, "share-right", 3, "data-marked"), "4");
    EXPECT_EQ(attribute(svg, "share-right", 1, "data-marked"), "3");
    EXPECT_EQ(attribute(svg, "share-right", 3, "fill"), "#c62828") << "over-confident";
    EXPECT_EQ(attribute(svg, "share-right", 1, "height"), "160");
    EXPECT_EQ(attribute(svg, "share-right", 1, "fill"), "#1565c0") << "under-confident";
    EXPECT_EQ(attribute(svg, "share-right", 2, "height"), "(none)");
    EXPECT_NE(svg.find("none marked"), std::string::npos);

    EXPECT_NE(svg.find("Ann &lt;b&gt;Lee&lt;/b&gt;"), std::string::npos);
    EXPECT_EQ(svg.find("<b>"), std::string::npos);
    EXPECT_NE(svg.find("<title>Ann Lee was under-confident at level 1"), std::string::npos);
    EXPECT_EQ(svg.find("<script"), std::string::npos);
    EXPECT_EQ(svg.find("http", svg.find("xmlns") + 40), std::string::npos) << "no external resource";
}

}  // namespace
}  // namespace stepwise::review
