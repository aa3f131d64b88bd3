#include <gtest/gtest.h>

#include <cstdlib>

#include "records/record_fixture.h"

namespace stepwise::testing {
namespace {

using RecordInterruptDeathTest = RecordTest;

TEST_F(RecordInterruptDeathTest, WhileTheRatingPromptIsOpenNoFileHoldsAnyPartOfTheRecord) {
    std::string masterDuring, sendDuring;
    platform.onPrompt = [&](const Text&) {
        masterDuring = master();
        sendDuring = send();
        return Text(u"3");
    };
    showBlock(u"`q003.  block", u"question", u"3");
    type(u"my answer");
    enterResponse();
    EXPECT_EQ(masterDuring, masterBefore);
    EXPECT_EQ(sendDuring, sendBefore);
    EXPECT_NE(master().find("my answer\r\nconfidence assessment:  3\r\n"), std::string::npos);
}

TEST_F(RecordInterruptDeathTest, KillingTheProgramAtTheRatingPromptLeavesOnlyTheHeader) {
    showBlock(u"`a  worked answer", u"answer", u"3");
    type(u"my critique");
    platform.onPrompt = [](const Text&) -> Text { std::_Exit(3); };
    EXPECT_EXIT(enterResponse(), ::testing::ExitedWithCode(3), "");
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(send(), sendBefore);
}

}  // namespace
}  // namespace stepwise::testing
