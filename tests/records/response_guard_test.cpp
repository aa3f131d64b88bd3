#include <gtest/gtest.h>

#include "records/record_fixture.h"

namespace stepwise::testing {
namespace {

using ResponseGuard = RecordTest;

TEST_F(ResponseGuard, TheDefaultTextIsNotRecordedByEitherCommand) {
    for (const ControlId button : {ControlId::cmd_enter_response, ControlId::cmd_save_as_notes}) {
        showBlock(u"`q003.  a block", u"question", u"3");
        type(state().responsePrompt);
        form.click(button);
        EXPECT_EQ(master(), masterBefore);
        EXPECT_EQ(send(), sendBefore);
        EXPECT_FALSE(notesExists());
        EXPECT_EQ(display(), u"");
        EXPECT_EQ(response(), u"");
        EXPECT_TRUE(state().responsePending) << "a refused click leaves the block pending";
        EXPECT_EQ(platform.prompts.size(), 2u) << "no rating is asked";
    }
}

TEST_F(ResponseGuard, TextThatOnlyResemblesTheDefaultIsRecorded) {
    const Text prompt = state().responsePrompt;
    for (const Text& near : {lowerCase(prompt), prompt + u" ", u" " + prompt, prompt.substr(0, prompt.size() - 1)}) {
        const std::size_t before = send().size();
        showBlock(u"b", u"", u"");
        type(near);
        enterResponse();
        EXPECT_GT(send().size(), before + near.size());
        EXPECT_EQ(response(), u"");
    }
}

TEST_F(ResponseGuard, AfterARefusedClickTheEmptyBoxIsRecordedAsAnEmptyResponse) {
    showBlock(u"b", u"", u"");
    type(state().responsePrompt);
    enterResponse();
    ASSERT_EQ(send(), sendBefore);
    enterResponse();
    EXPECT_EQ(send(), sendBefore + separator + "\r\n" + indent + "14:05:09\r\nb\r\n" + separator +
                          "\r\nRESPONSE -->  \r\n\r\n" + closing + "\r\n")
        << "the block line comes from the lesson state, not from the emptied display box";
    EXPECT_FALSE(state().responsePending);
}

}  // namespace
}  // namespace stepwise::testing
