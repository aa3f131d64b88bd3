#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdio>
#include <map>

#include "format/numbers.h"
#include "review/class_review.h"
#include "review/html_report.h"
#include "review/students_csv.h"
#include "review/terminal_summary.h"
#include "support/fake_platform.h"
#include "support/sample_class.h"
#include "app/main_form.h"

namespace stepwise {
namespace {

std::string printed(const char* format, double value) {
    char text[512];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// The helpers write what printf writes in the "C" locale, ties and all (a tie of the binary value
// goes to the even digit).
TEST(Numbers, WriteWhatPrintfWritesInTheCLocale) {
    ASSERT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    const double values[] = {0.0,   0.5,    1.5,       2.5,     -2.5,  0.25,     2.25,   0.35, 0.05,
                             59.95, 99.95,  1.0 / 3,   2.0 / 3, 12.0,  123456.5, 1e6,    1e-5, 0.000123456,
                             1e21,  -0.125, 9.999995, 1e300,   -1e-300};
    for (const double value : values) {
        SCOPED_TRACE(printed("%.17g", value));
        EXPECT_EQ(fixedNumber(value, 0), printed("%.0f", value));
        EXPECT_EQ(fixedNumber(value, 1), printed("%.1f", value));
        EXPECT_EQ(fixedNumber(value, 2), printed("%.2f", value));
        EXPECT_EQ(shortNumber(value), printed("%g", value));
    }
    const std::pair<long long, int> padded[] = {{0, 2}, {7, 2}, {7, 3}, {-5, 3}, {-5, 2}, {123, 2}, {-123, 4}, {2026, 4}};
    for (const auto& [number, width] : padded) {
        char text[32];
        std::snprintf(text, sizeof text, "%0*lld", width, number);
        EXPECT_EQ(zeroPadded(number, width), text) << number << " in " << width;
    }
}

// The record writer's numbers: printf's %.15G with its capitals, whole numbers in full, and no
// leading zero.
TEST(Numbers, GeneralNumbersAsTheRecordsWriteThem) {
    const std::pair<double, const char16_t*> cases[] = {
        {10003, u"10003"},       {10002.5, u"10002.5"},       {0.5, u".5"},
        {-2.5, u"2.5"},          {0.1 + 0.2, u".3"},          {123456789012345.6, u"123456789012346"},
        {1e15, u"1E+15"},        {1e20, u"1E+20"},            {1.5e-5, u"1.5E-05"},
        {HUGE_VAL, u"INF"},      {-HUGE_VAL, u"INF"},         {std::nan(""), u"NAN"},
    };
    for (const auto& [number, text] : cases) EXPECT_EQ(generalNumber(number), text) << printed("%.17g", number);
}

// The locale of the program (the Qt program takes the user's) changes none of the files'
// numbers: what the writer writes and what the review reports under a decimal-comma locale are
// the bytes written under "C".
class LocaleScope {
public:
    LocaleScope() : saved_(std::setlocale(LC_ALL, nullptr)) {}
    ~LocaleScope() { std::setlocale(LC_ALL, saved_.c_str()); }

private:
    std::string saved_;
};

struct Written {
    std::map<std::string, std::string> files;  // by path below the drive root
    std::string figures;                        // the review's reports and figures
};

// The bytes without the lesson headers' code lines, which are drawn at random (a code line is bytes
// from 66 up, after a notes record's closing line in a SEND file).
std::string withoutCodeLines(const std::string& bytes) {
    std::string out;
    for (std::size_t begin = 0; begin < bytes.size();) {
        const std::size_t end = std::min(bytes.find("\r\n", begin), bytes.size());
        std::string_view line(bytes.data() + begin, end - begin);
        if (bytes.compare(end, 14, "\r\nassignment #") == 0)
            while (!line.empty() && static_cast<unsigned char>(line.back()) >= 66) line.remove_suffix(1);
        out.append(line).append(bytes, end, 2);
        begin = end + 2;
    }
    return out;
}

Written writeAndReview() {
    testing::TempDir temp;
    testing::writeSampleClass(temp.path());
    {
        // A question number with a decimal part, read from the script's text and written in the
        // master file's question-number line.
        std::filesystem::create_directory(temp.path() / "decimal");
        testing::FakePlatform platform(temp.path() / "decimal");
        MainForm form(platform);
        platform.answers = {u"Bea", u""};
        form.load();
        form.state().currentLine = u"`q003.  block";
        form.state().blockKind = u"question";
        form.state().questionNumber = u"2.5";
        platform.boxes[ControlId::txt_answer] = u"an answer";
        platform.answers = {u"2"};
        form.click(ControlId::cmd_enter_response);
    }
    Written written;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.path()))
        if (entry.is_regular_file())
            written.files[entry.path().lexically_relative(temp.path()).generic_string()] =
                withoutCodeLines(testing::readBytes(entry.path()));
    const review::ClassReview review = review::reviewClass({temp.path() / "qwelrand"}, {});
    written.figures = review::htmlOverview(review.summary) + review::htmlQuestions(review.summary) +
                      review::terminalSummary(review.summary) + review::formatMedian(1.5) + review::formatMinutes(2.25) +
                      review::twoDecimals(-0.125);
    return written;
}

TEST(Numbers, ADecimalCommaLocaleChangesNoByteOfTheRecordsOrTheReports) {
    const LocaleScope restore;
    ASSERT_NE(std::setlocale(LC_ALL, "C"), nullptr);
    const Written underC = writeAndReview();
    ASSERT_EQ(underC.files.count("decimal/qwelrand/masterFile_Bea.txt"), 1u);
    EXPECT_NE(underC.files.at("decimal/qwelrand/masterFile_Bea.txt").find("`questionNumber 10002.5 "), std::string::npos);

    if (!std::setlocale(LC_ALL, "de_DE.UTF-8") || printed("%.1f", 1.5) != "1,5")
        GTEST_SKIP() << "no locale de_DE.UTF-8 with a decimal comma here";
    const Written underComma = writeAndReview();
    EXPECT_EQ(underComma.files, underC.files);
    EXPECT_EQ(underComma.figures, underC.figures);
}

}  // namespace
}  // namespace stepwise
