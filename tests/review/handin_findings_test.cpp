#include <gtest/gtest.h>

#include "review/handin_builder.h"
#include "review/handin_findings.h"

namespace stepwise::review {
namespace {

using namespace stepwise::testing;

TEST(HandinFindings, EachFileOfAStudentWithoutAnswersIsNamedWithWhatItHolds) {
    // Read as the class is read: from the bytes, wherever they come from (a folder, an archive).
    handin::HandinFile emptyFile = handin::parseHandin("", "class.zip:week 1/send_1207Dee.txt");
    handin::HandinFile blankFile = handin::parseHandin("\r\n\r\n", "hand-ins/send_1208Dee.txt");
    handin::HandinFile oneHeader = handinFile("send_1209Dee.txt", "Dee", 12, 9, {session({})});
    handin::HandinFile twoHeaders = handinFile("send_1210Dee.txt", "Dee", 12, 10, {session({}), session({})});
    handin::HandinFile unreadable = handinFile("send_1211Dee.txt", "Dee", 12, 11, {});
    unreadable.problems.push_back({"send_1211Dee.txt", 1, "not text"});

    Student dee;
    dee.files = {&emptyFile, &blankFile, &oneHeader, &twoHeaders, &unreadable};
    EXPECT_EQ(emptyHandinFindings(dee), (std::vector<std::string>{
                                            "send_1207Dee.txt is empty",
                                            "send_1208Dee.txt holds nothing that could be read as a lesson header "
                                            "or an answer",
                                            "send_1209Dee.txt holds 1 lesson header and no answer",
                                            "send_1210Dee.txt holds 2 lesson headers and no answer",
                                            "send_1211Dee.txt holds nothing that could be read as a lesson header "
                                            "or an answer",
                                        }));

    // A student with one answer anywhere gets figures, not findings.
    const handin::Record answer = responseAt("10:00:00", 1);
    dee.records.push_back({&oneHeader, 1, &oneHeader.sessions[0], &answer, std::nullopt, "an answer"});
    EXPECT_TRUE(emptyHandinFindings(dee).empty());
}

}  // namespace
}  // namespace stepwise::review
