// Script lines written as an assignment file read back as the same lines, byte for byte; the
// built-in assignment among them, and the example shipped as examples/001-rates.stepwise.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "format/assignment_file.h"
#include "format/assignment_writer.h"
#include "format/builtin_assignment.h"
#include "support/fake_platform.h"

namespace stepwise {
namespace {

std::vector<Text> readBack(const AssignmentSource& source, Assignment& assignment) {
    assignment = readAssignment(writeAssignmentFile(source));
    std::vector<Text> blocks;
    for (const AssignmentBlock& block : assignment.blocks) blocks.push_back(block.text);
    return blocks;
}

TEST(AssignmentWriter, BlocksTheFileFormCanHoldReadBackUnchanged) {
    const std::vector<Text> blocks = {
        u"`q001.  One paragraph.",
        u"Two\r\n\r\nparagraphs,  with  double  blanks inside.",
        u"`aAn answer{}with an in-line break{}{}and \u20AC, \u0394 and \U0001F600",
        u"Three\r\n\r\nshort\r\n\r\nparagraphs",
        u"`routine graph1",
        u"`q002.-- not a separator ---",
        u"end program",
    };
    Assignment assignment;
    EXPECT_EQ(readBack({u"012.  Writer", u"physics set", blocks}, assignment), blocks);
    EXPECT_FALSE(assignment.hasErrors());
    EXPECT_EQ(assignment.headerLine, u"012.  Writer");
    EXPECT_EQ(assignment.setTitle, u"physics set");

    const std::string written = writeAssignmentFile({u"013.  Bare", u"", {u"A\r\n\r\nB"}});
    EXPECT_EQ(written, "013.  Bare\n---\nA\n\nB\n") << "no set line without a set title";
}

// The built-in, read back from its file, is its own non-empty script lines in order: "end
// program" lands at script line 50 instead of 49, which no reader can tell apart.
TEST(AssignmentWriter, BuiltinWrittenAsAFileReadsBackAsItsScriptLinesByteForByte) {
    std::vector<Text> expected;
    for (std::size_t i = 1; i < builtinAssignment().size(); ++i)
        if (!builtinAssignment()[i].empty()) expected.push_back(builtinAssignment()[i]);
    ASSERT_EQ(expected.size(), 25u);
    Assignment assignment;
    EXPECT_EQ(readBack(builtinAssignmentSource(), assignment), expected);
    EXPECT_TRUE(assignment.problems.empty()) << assignment.problems.front().message;
    EXPECT_EQ(assignment.headerLine, builtinAssignment().front());
    EXPECT_EQ(assignment.number, u"001");
    EXPECT_EQ(assignment.setTitle, u"ovla set");
    EXPECT_EQ(scriptIndexOfBlock(assignment.blocks.size() - 1), 50);
}

TEST(AssignmentWriter, TheShippedBuiltinExampleIsWhatTheWriterWrites) {
    const std::string shipped = testing::readBytes(std::filesystem::path(STEPWISE_EXAMPLES_DIR) / "001-rates.stepwise");
    EXPECT_EQ(shipped, writeAssignmentFile(builtinAssignmentSource()))
        << "write it again with: stepwise-author builtin -o examples/001-rates.stepwise --force";
}

// Every example passes the check without a warning, and none claims the built-in's number but
// the built-in itself.
TEST(AssignmentWriter, EveryShippedExampleIsCleanAndNumberedByItsName) {
    std::size_t examples = 0;
    for (const auto& entry : std::filesystem::directory_iterator(STEPWISE_EXAMPLES_DIR)) {
        if (entry.path().extension() != ".stepwise") continue;
        ++examples;
        SCOPED_TRACE(entry.path().string());
        const Assignment assignment = readAssignment(testing::readBytes(entry.path()));
        EXPECT_TRUE(assignment.problems.empty()) << describeProblem(entry.path().string(), assignment.problems.front());
        EXPECT_EQ(toUtf8(assignment.number), entry.path().filename().string().substr(0, 3));
    }
    EXPECT_GE(examples, 2u);
}

}  // namespace
}  // namespace stepwise
