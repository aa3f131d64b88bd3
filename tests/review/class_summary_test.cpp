#include <gtest/gtest.h>

#include "review/class_summary.h"
#include "review/handin_builder.h"

namespace stepwise::testing {
namespace {

using namespace review;

TEST(ClassSummary, ConfidenceRatingsAreTheDigitsZeroToThreeAsTyped) {
    const std::pair<const char16_t*, std::optional<int>> cases[] = {
        {u"0", 0}, {u"3", 3}, {u" 2 ", 2}, {u"\t1", 1}, {u"4", std::nullopt}, {u"", std::nullopt},
        {u"  ", std::nullopt}, {u"2.5", std::nullopt}, {u"pretty sure", std::nullopt}, {u"-1", std::nullopt},
        {u"23", std::nullopt}};
    for (const auto& [typed, rating] : cases) EXPECT_EQ(confidenceRating(typed), rating) << toUtf8(typed);
}

TEST(ClassSummary, MedianOfOddAndEvenCounts) {
    EXPECT_EQ(median({}), std::nullopt);
    EXPECT_EQ(median({3}), 3.0);
    EXPECT_EQ(median({3, 0, 2}), 2.0);
    EXPECT_EQ(median({3, 0, 2, 1}), 1.5);
    EXPECT_EQ(formatMedian(1.5), "1.5");
    EXPECT_EQ(formatMedian(std::nullopt), "-");
    EXPECT_EQ(formatMinutes(90.0 / 60), "1.5");
}

TEST(ClassSummary, StudentAndQuestionFiguresComeFromTheLastAnswers) {
    auto model = buildClassModel(
        {handinFile("send_1207Ann.txt", "Ann", 12, 7,
                    {session({responseAt("10:00:00", 2, "a", "1"), responseAt("10:01:00", 3, "b", "3"),
                              responseAt("10:02:00", 3, "b again", "0"), notesAt("10:02:30"),
                              responseAt("10:03:00", 4, "c", "sure"), responseAt("11:00:00", 5, "d", "2")})}),
         handinFile("send_1207Bob.txt", "Bob", 12, 7, {session({responseAt("09:00:00", 3, "x", "3")})})},
        {});
    ClassSummary summary;
    for (const Student& student : model.students) summary.add(summarizeStudent(student));

    const StudentSummary& ann = summary.students.at(0);
    EXPECT_EQ(ann.answered(), 4);
    EXPECT_FALSE(ann.questions[0].answered);
    EXPECT_EQ(ann.questions[2].rating, 0) << "the last answer's rating counts";
    EXPECT_EQ(ann.questions[2].seconds, 60);
    EXPECT_EQ(ann.questions[3].confidence, u"sure");
    EXPECT_EQ(ann.questions[3].rating, std::nullopt);
    EXPECT_EQ(ann.questions[4].seconds, std::nullopt) << "after a break";
    EXPECT_EQ(ann.medianConfidence, 1.0) << "ratings 1, 0, 2";
    EXPECT_EQ(ann.secondsOnTask, 60 + 60 + 30 + 30);
    EXPECT_EQ(ann.notes, 1);
    EXPECT_EQ(ann.responses, 5);

    const QuestionSummary& q3 = summary.questions[2];
    EXPECT_EQ(q3.answered, 2);
    EXPECT_EQ(q3.ratings, (std::array<int, 4>{1, 0, 0, 1}));
    EXPECT_EQ(q3.medianSeconds(), 60.0) << "Bob's only record has no time";
    EXPECT_EQ(summary.questions[3].unrated, 1);
    EXPECT_EQ(summary.files, 2);
}

}  // namespace
}  // namespace stepwise::testing
