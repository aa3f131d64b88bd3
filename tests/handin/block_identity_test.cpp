#include <gtest/gtest.h>

#include "handin/handin_file.h"
#include "format/builtin_assignment.h"

namespace stepwise::handin {
namespace {

// Every non-empty script line after the header, as the script reader takes them.
TEST(BlockIdentity, EveryBlockOfTheBuiltInAssignmentIsKnownByIndexQuestionAndKind) {
    struct Expected {
        int scriptIndex;
        std::optional<int> question;
        BlockKind kind;
    };
    std::vector<Expected> expected = {{2, 1, BlockKind::instructions}, {4, 1, BlockKind::acknowledgement}};
    for (int question = 2; question <= 12; ++question) {
        const int index = 6 + 4 * (question - 2);
        expected.push_back({index, question, BlockKind::question});
        expected.push_back({index + 2, question, BlockKind::workedAnswer});
    }
    expected.push_back({49, std::nullopt, BlockKind::end});

    const auto& script = builtinAssignment();
    for (const Expected& e : expected) {
        SCOPED_TRACE("script index " + std::to_string(e.scriptIndex));
        const BlockId id = identifyBlock(script.at(e.scriptIndex - 1));
        EXPECT_EQ(id.scriptIndex, e.scriptIndex);
        EXPECT_EQ(id.questionNumber, e.question);
        EXPECT_EQ(id.kind, e.kind);
    }
}

TEST(BlockIdentity, AnythingElseIsUnknown) {
    const Text question3 = builtinAssignment().at(9);
    for (const Text& line : {Text(), Text(u"001.  Rates"), question3 + u" ", question3.substr(0, question3.size() - 1),
                             Text(u"End program"), Text(u"`q003.")}) {
        const BlockId id = identifyBlock(line);
        EXPECT_EQ(id.kind, BlockKind::unknown) << toUtf8(line);
        EXPECT_EQ(id.scriptIndex, -1);
        EXPECT_FALSE(id.questionNumber);
    }
}

TEST(BlockIdentity, KindNamesAreTheReportsWords) {
    EXPECT_EQ(blockKindName(BlockKind::instructions), "instructions");
    EXPECT_EQ(blockKindName(BlockKind::acknowledgement), "acknowledgement");
    EXPECT_EQ(blockKindName(BlockKind::question), "question");
    EXPECT_EQ(blockKindName(BlockKind::workedAnswer), "worked answer");
    EXPECT_EQ(blockKindName(BlockKind::end), "end");
    EXPECT_EQ(blockKindName(BlockKind::unknown), "unknown");
}

}  // namespace
}  // namespace stepwise::handin
