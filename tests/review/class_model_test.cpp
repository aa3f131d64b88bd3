#include <gtest/gtest.h>

#include "review/class_model.h"
#include "review/handin_builder.h"

namespace stepwise::testing {
namespace {

using review::buildClassModel;

std::vector<std::optional<int>> secondsOf(const review::Student& student) {
    std::vector<std::optional<int>> seconds;
    for (const auto& record : student.records) seconds.push_back(record.seconds);
    return seconds;
}

struct SecondsCase {
    const char* what;
    std::vector<const char*> times;
    std::vector<std::optional<int>> seconds;
};

TEST(ClassModel, SecondsAreTheGapToThePreviousRecordOfTheSession) {
    const std::optional<int> none;
    const SecondsCase cases[] = {
        {"first record has none", {"14:05:09"}, {none}},
        {"plain gaps", {"14:05:09", "14:05:39", "14:07:00"}, {none, 30, 81}},
        {"same second", {"09:00:00", "09:00:00"}, {none, 0}},
        {"across midnight a day is added", {"23:59:50", "00:00:15"}, {none, 25}},
        {"exactly 1800 s is still work", {"10:00:00", "10:30:00"}, {none, 1800}},
        {"over 1800 s is a break", {"10:00:00", "10:30:01", "10:30:31"}, {none, none, 30}},
        {"a clock set back reads as a break", {"10:00:10", "10:00:00"}, {none, none}},
        {"a damaged time breaks the chain", {"10:00:00", "10:0x:10", "10:00:40"}, {none, none, none}},
        {"out-of-range time", {"10:00:00", "24:00:00", "10:00:30"}, {none, none, none}},
    };
    for (const SecondsCase& c : cases) {
        std::vector<handin::Record> records;
        for (const char* time : c.times) records.push_back(responseAt(time, 3));
        auto model = buildClassModel({handinFile("send_1207Ann.txt", "Ann", 12, 7, {session(records)})}, {});
        ASSERT_EQ(model.students.size(), 1u) << c.what;
        EXPECT_EQ(secondsOf(model.students[0]), c.seconds) << c.what;
    }
}

TEST(ClassModel, EachLessonHeaderStartsASessionAndNotesCountInTheChain) {
    auto model = buildClassModel(
        {handinFile("send_1207Ann.txt", "Ann", 12, 7,
                    {session({responseAt("14:00:00", 2), notesAt("14:00:20"), responseAt("14:01:00", 3)}),
                     session({responseAt("14:02:00", 4), responseAt("14:02:10", 5)})})},
        {});
    const auto& student = model.students.at(0);
    EXPECT_EQ(secondsOf(student), (std::vector<std::optional<int>>{std::nullopt, 20, 40, std::nullopt, 10}));
    std::vector<int> sessions;
    for (const auto& record : student.records) sessions.push_back(record.session);
    EXPECT_EQ(sessions, (std::vector<int>{1, 1, 1, 2, 2}));
    EXPECT_EQ(student.records[3].sessionData, &model.files[0].sessions[1]);
}

TEST(ClassModel, FilesOfOneNameFormOneStudentInDateOrderAndStudentsAreInNameOrder) {
    auto model = buildClassModel({handinFile("b/send_1208Ann_Lee.txt", "Ann Lee", 12, 8, {session({responseAt("10:00:00", 5)})}),
                                  handinFile("send_1207carl.txt", "carl", 12, 7, {}),
                                  handinFile("a/send_1207Ann_Lee.txt", "Ann Lee", 12, 7, {session({responseAt("09:00:00", 4)})}),
                                  handinFile("send_1209Bob.txt", "Bob", 12, 9, {}),
                                  handinFile("send_1107Ann_Lee.txt", "Ann Lee", 11, 7, {})},
                                 {});
    std::vector<Text> names;
    for (const auto& student : model.students) names.push_back(student.name);
    EXPECT_EQ(names, (std::vector<Text>{u"Ann Lee", u"Bob", u"carl"}));
    std::vector<std::string> annFiles;
    for (const auto* file : model.students[0].files) annFiles.push_back(file->path);
    EXPECT_EQ(annFiles, (std::vector<std::string>{"send_1107Ann_Lee.txt", "a/send_1207Ann_Lee.txt", "b/send_1208Ann_Lee.txt"}));
    ASSERT_EQ(model.students[0].records.size(), 2u);
    EXPECT_EQ(model.students[0].records[0].record->time, u"09:00:00");
    EXPECT_FALSE(model.students[0].records[1].seconds) << "a new file is a new session";
}

TEST(ClassModel, APathGivenTwiceIsCountedOnceAndTheSameNameElsewhereIsAnotherFile) {
    auto lesson = [] { return std::vector{session({responseAt("10:00:00", 3)})}; };
    std::vector<handin::Problem> earlier = {{"x.txt", 3, "a damaged line"}};
    auto model = buildClassModel({handinFile("send_1207Ann.txt", "Ann", 12, 7, lesson()),
                                  handinFile("copy/send_1207Ann.txt", "Ann", 12, 7, lesson()),
                                  handinFile("send_1207Bob.txt", "Bob", 12, 7, lesson()),
                                  handinFile("send_1207Ann.txt", "Ann", 12, 7, lesson())},
                                 earlier);
    ASSERT_EQ(model.files.size(), 3u) << "only the bytes, compared before, make a copy";
    EXPECT_EQ(model.students.size(), 2u);
    EXPECT_EQ(model.students[0].records.size(), 2u);
    ASSERT_EQ(model.problems.size(), 2u);
    EXPECT_EQ(model.problems[0].message, "a damaged line");
    EXPECT_EQ(model.problems[1].message, "given more than once; counted once");
}

TEST(ClassModel, LastAnswersTakeTheLastResponseToEachQuestionBlock) {
    handin::Record instructions = responseAt("10:00:00", 1, "I understand");
    instructions.blockId = {2, 1, handin::BlockKind::instructions};
    handin::Record worked = responseAt("10:00:30", 3, "my critique");
    worked.blockId = {12, 3, handin::BlockKind::workedAnswer};
    handin::Record unknown = responseAt("10:00:40", 4, "edited block");
    unknown.blockId = {};
    handin::Record noteOnQuestion = notesAt("10:00:50", "note on 5");
    noteOnQuestion.blockId = {18, 5, handin::BlockKind::question};
    auto model = buildClassModel({handinFile("send_1207Ann.txt", "Ann", 12, 7,
                                             {session({instructions, responseAt("10:00:10", 3, "first"),
                                                       responseAt("10:00:20", 3, "second"), worked, unknown,
                                                       noteOnQuestion}),
                                              session({responseAt("11:00:00", 12, "last one")})})},
                                 {});
    const auto answers = review::lastAnswers(model.students.at(0));
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_EQ(answers[0].question, 1);
    EXPECT_EQ(answers[0].record->record->text, "I understand");
    EXPECT_EQ(answers[1].question, 3);
    EXPECT_EQ(answers[1].record->record->text, "second");
    EXPECT_EQ(answers[2].question, 12);
    EXPECT_EQ(answers[2].record->session, 2);
}

}  // namespace
}  // namespace stepwise::testing
