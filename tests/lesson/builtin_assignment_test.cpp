#include "format/builtin_assignment.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace {

using stepwise::builtinAssignment;

constexpr std::u16string_view kBreak = u"\r\n\r\n";

// Readable form of a line for failure messages; anything outside ASCII shows as '?'.
std::string narrow(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text) {
        out.push_back(c < 128 ? static_cast<char>(c) : '?');
    }
    return out;
}

std::u16string widen(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

std::vector<std::u16string> paragraphsOf(std::u16string_view line) {
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    for (;;) {
        std::size_t at = line.find(kBreak, start);
        if (at == std::u16string_view::npos) {
            parts.emplace_back(line.substr(start));
            return parts;
        }
        parts.emplace_back(line.substr(start, at - start));
        start = at + kBreak.size();
    }
}

std::vector<std::size_t> paragraphLengths(std::u16string_view line) {
    std::vector<std::size_t> lengths;
    for (const std::u16string& p : paragraphsOf(line)) {
        lengths.push_back(p.size());
    }
    return lengths;
}

// Script line N is element N - 1.
const std::u16string& scriptLine(int number) {
    return builtinAssignment().at(static_cast<std::size_t>(number - 1));
}

struct Row {
    int line;
    const char* begins;
    std::size_t total;
    std::vector<std::size_t> paragraphs;
};

const std::vector<Row>& table() {
    static const std::vector<Row> rows = {
        {1, "001.  Rates", 11, {11}},
        {2, "`q001.  You should copy and paste these", 1984, {225, 230, 147, 177, 555, 369, 146, 107}},
        {4, "Your answer has been noted.  Enter 'ok' in the", 152, {152}},
        {6, "`q002.  Note that there are 10 questions in this", 524, {455, 65}},
        {8, "The rate at which you are earning money is the", 920, {557, 359}},
        {10, "`q003.If you make $60,000 per year then how much", 71, {71}},
        {12, "Most people will very quickly see that we need", 621, {258, 359}},
        {14, "`q004.  Suppose that the $60,000 is made in a", 204, {204}},
        {16, "Small businesses do not usually make the same", 860, {497, 359}},
        {18, "`q005.  If you travel 300 miles in 6 hours, at", 150, {150}},
        {20, "The average rate is 50 miles per hour, or 50", 1072, {709, 359}},
        {22, "`q006.  If you use 60 gallons of gasoline on a", 144, {144}},
        {24, "The rate of change of one quantity with respect", 2079, {293, 271, 243, 529, 149, 211, 359}},
        {26, "`q007.  The word 'average' generally connotes", 261, {261}},
        {28, "The word 'average' in the context of the dollars", 1147, {784, 359}},
        {30, "`q008.  In a study of how lifting strength is", 471, {471}},
        {32, "The second group had 15 pounds more lifting", 552, {189, 359}},
        {34, "`q009.  In another part of the study,", 434, {434}},
        {36, "The difference in lifting strength was 17", 721, {358, 359}},
        {38, "`q010.  During a race, a runner passes the", 219, {219}},
        {40, "The runner traveled 100 meters between the two", 713, {350, 359}},
        {42, "`q011.  During a race, a runner passes the", 232, {232}},
        {44, "At 10 meters/sec, the runner would require 10", 1447, {1084, 359}},
        {46, "`q012.  We just averaged two quantities, adding", 141, {141}},
        {48, "In previous examples the quantities weren't", 802, {439, 359}},
        {49, "end program", 11, {11}},
    };
    return rows;
}

const std::vector<int> kWorkedAnswerLines = {8, 12, 16, 20, 24, 28, 32, 36, 40, 44, 48};

TEST(BuiltinAssignmentLayout, HasFortyNineLinesBuiltOnce) {
    const auto& first = builtinAssignment();
    EXPECT_EQ(first.size(), 49u);
    EXPECT_EQ(&first, &builtinAssignment());
}

TEST(BuiltinAssignmentLayout, EveryContentLineMatchesItsRow) {
    for (const Row& row : table()) {
        SCOPED_TRACE("script line " + std::to_string(row.line));
        const std::u16string& line = scriptLine(row.line);
        const std::u16string begins = widen(row.begins);
        EXPECT_EQ(narrow(line.substr(0, begins.size())), row.begins);
        EXPECT_EQ(line.size(), row.total);
        EXPECT_EQ(paragraphLengths(line), row.paragraphs);
    }
}

TEST(BuiltinAssignmentLayout, OddLinesThreeToFortySevenAreEmpty) {
    for (int n = 3; n <= 47; n += 2) {
        EXPECT_TRUE(scriptLine(n).empty()) << "script line " << n << ": " << narrow(scriptLine(n));
    }
}

TEST(BuiltinAssignmentLayout, NoLineStartsWithForbiddenMarkers) {
    for (std::size_t i = 0; i < builtinAssignment().size(); ++i) {
        std::string lower = narrow(builtinAssignment()[i]);
        for (char& c : lower) {
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        const std::string_view view = lower;
        SCOPED_TRACE("script line " + std::to_string(i + 1));
        EXPECT_FALSE(view.substr(0, 2) == "`a");
        EXPECT_FALSE(view.substr(0, 8) == "`routine");
        EXPECT_FALSE(view.substr(0, 3) == "002");
    }
}

TEST(BuiltinAssignmentText, OnlyPrintableAsciiOutsideParagraphBreaks) {
    for (std::size_t i = 0; i < builtinAssignment().size(); ++i) {
        SCOPED_TRACE("script line " + std::to_string(i + 1));
        for (const std::u16string& paragraph : paragraphsOf(builtinAssignment()[i])) {
            for (char16_t c : paragraph) {
                EXPECT_TRUE(c >= 32 && c <= 126) << "character code " << static_cast<int>(c)
                                                 << " in: " << narrow(paragraph);
            }
        }
    }
}

TEST(BuiltinAssignmentText, GraveAccentOnlyOpensNumberedQuestions) {
    int expectedNumber = 1;
    for (int n = 1; n <= 49; ++n) {
        SCOPED_TRACE("script line " + std::to_string(n));
        const std::string line = narrow(scriptLine(n));
        const std::size_t grave = line.find('`');
        const bool isQuestionLine = n == 2 || (n >= 6 && n <= 46 && (n - 6) % 4 == 0);
        if (!isQuestionLine) {
            EXPECT_EQ(grave, std::string::npos) << line;
            continue;
        }
        const std::string number = std::to_string(expectedNumber);
        const std::string marker = "`q" + std::string(3 - number.size(), '0') + number + ".";
        EXPECT_EQ(line.substr(0, marker.size()), marker);
        EXPECT_EQ(line.find('`', 1), std::string::npos) << line;
        ++expectedNumber;
    }
    EXPECT_EQ(expectedNumber, 13);
}

TEST(BuiltinAssignmentText, FixedSentencesAreExact) {
    EXPECT_EQ(narrow(scriptLine(10)), "`q003.If you make $60,000 per year then how much do you make per month?");

    const auto preface = paragraphsOf(scriptLine(6));
    ASSERT_EQ(preface.size(), 2u);
    EXPECT_EQ(narrow(preface[1]), "If you make $50 in 5 hr, then at what rate are you earning money?");

    const auto instructions = paragraphsOf(scriptLine(2));
    ASSERT_EQ(instructions.size(), 8u);
    EXPECT_EQ(narrow(instructions[7]),
              "In the right-hand box briefly describe your understanding of these instructions, then "
              "click 'Enter Answer'.");
    const char* const numbered[] = {
        "1.  For the next question or answer",
        "2.  Before clicking for an answer",
        "3.  After entering your answer",
        "4.  If your answer was incorrect",
        "5.  If you wish to save your response to your Notes file",
        "6.  After clicking either the 'Enter Response' or the 'Save as Notes' button",
    };
    for (std::size_t k = 0; k < 6; ++k) {
        const std::string_view expected = numbered[k];
        EXPECT_EQ(narrow(instructions[k + 1]).substr(0, expected.size()), expected);
    }
}

TEST(BuiltinAssignmentText, WorkedAnswersEndWithTheSharedClosing) {
    constexpr std::string_view kLeadStart = "You need to make note of anything in the given solution";
    constexpr std::string_view kTail = " already understand and save your response as Notes.";

    const std::string closing = narrow(paragraphsOf(scriptLine(kWorkedAnswerLines.front())).back());
    ASSERT_EQ(closing.size(), 359u);
    EXPECT_EQ(closing.substr(0, kLeadStart.size()), kLeadStart);
    EXPECT_EQ(closing.substr(307), kTail);

    for (int n : kWorkedAnswerLines) {
        SCOPED_TRACE("script line " + std::to_string(n));
        const auto paragraphs = paragraphsOf(scriptLine(n));
        ASSERT_GE(paragraphs.size(), 2u);
        EXPECT_EQ(narrow(paragraphs.back()), closing);
        // The closing appears once, only as the final paragraph.
        for (std::size_t k = 0; k + 1 < paragraphs.size(); ++k) {
            EXPECT_EQ(narrow(paragraphs[k]).find(kLeadStart), std::string::npos);
        }
    }
    // Lines that are not worked answers do not carry the closing.
    for (int n = 1; n <= 49; ++n) {
        if (n >= 8 && n % 4 == 0) {
            continue;
        }
        EXPECT_EQ(narrow(scriptLine(n)).find(kLeadStart), std::string::npos) << "script line " << n;
    }
}

TEST(BuiltinAssignmentText, WorkedAnswersStateTheirResults) {
    struct Result {
        int line;
        const char* text;
    };
    const Result results[] = {
        {8, "$10 per hour"},
        {12, "$5,000 per month"},
        {16, "$5,000 per month"},
        {20, "50 miles per hour"},
        {24, "20 miles per gallon"},
        {24, "0.05 gallons per mile"},
        {32, "3 pounds per weekly hour"},
        {36, "1.7 pounds per weekly hour"},
        {40, "8 m/s"},
        {44, "7.5 m/s"},
        {44, "13.3 seconds"},
        {48, "constant rate"},
    };
    for (const Result& r : results) {
        EXPECT_NE(narrow(scriptLine(r.line)).find(r.text), std::string::npos)
            << "script line " << r.line << " should contain \"" << r.text << "\"";
    }
}

}  // namespace
