#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/assignment_file.h"
#include "format/utf8.h"

namespace stepwise {
namespace {

// A problem as a test expects it: "7 error unknown option" means line 7, an error, its message
// starting with "unknown option".
struct Expected {
    std::string source;                 // the file, as UTF-8 unless the row says otherwise
    std::vector<std::u16string> blocks; // the script lines 2, 4, ... in order
    std::vector<std::string> problems;  // "LINE error|warning MESSAGE-START"
    std::u16string setTitle = u"";      // checked when not empty
};

std::string describe(const AssignmentProblem& p) {
    return std::to_string(p.line) + (p.severity == AssignmentProblem::Severity::error ? " error " : " warning ") + p.message;
}

const std::string head = "007.  Speed and distance\n---\n";
const std::string tail = "---\nend program\n";

const std::vector<Expected>& cases() {
    static const std::vector<Expected> table = {
        // Lines of a paragraph run together; blank lines make paragraphs; blanks at the ends go.
        {head + "  First line\n\tsecond line.  \n\n\n  Next paragraph {} here.\n" + tail,
         {u"First line second line.\r\n\r\nNext paragraph {} here.", u"end program"}, {}, u"Speed and distance"},
        // CR LF and lone CR line ends, a byte-order mark, and a set title.
        {"\xEF\xBB\xBF" "007.  Speed\r\nset:  physics set \r\n---\rOne\r\ntwo\r---\r\nend program", {u"One two", u"end program"}, {},
         u"physics set"},
        // Not UTF-8: read as Windows-1252 (0x80 is the euro sign, 0xE9 e acute).
        {head + "Caf\xE9 \x80 5\n" + tail, {u"Caf\u00E9 \u20AC 5", u"end program"}, {}},
        // Characters Windows-1252 lacks are kept.
        {head + "\xCE\x94 v = \xE2\x88\x9A 2 \xF0\x9F\x98\x80\n" + tail, {u"\u0394 v = \u221A 2 \U0001F600", u"end program"}, {}},
        // Markers: a question, a lone `a marking the block after it, a routine.
        {head + "`q001.  How far?\n---\n`a\n---\nIt goes 120 km.\n---\n`routine graph1\n---\n`q002.  And then?\n" + tail,
         {u"`q001.  How far?", u"`aIt goes 120 km.", u"`routine graph1", u"`q002.  And then?", u"end program"}, {}},
        // Header errors.
        {"\n\n", {}, {"1 error the file holds no assignment"}},
        {"7. Speed\n---\nend program\n", {u"end program"}, {"1 error the assignment header must be"}},
        {"007.\n---\nend program\n", {u"end program"}, {"1 error the assignment header must be"}},
        {"---\nend program\n", {u"end program"}, {"1 error no assignment header before the first ---"}},
        // Options and text in the header section.
        {"007.  Speed\nauthor: me\nSome words\nset:\n" + tail, {u"end program"},
         {"2 error unknown option \"author:\"", "3 error text before the first ---", "4 error set: needs the title"}},
        // Empty blocks, control characters, a closing separator.
        {head + "One\n---\n  \n---\nTwo\x01\n" + tail + "---\n", {u"One", u"Two\u0001", u"end program"},
         {"5 error empty block", "7 error this line holds a control character"}},
        // Question numbers: not three digits, out of order, repeated, in capitals.
        {head + "`q1.  Short\n---\n`q003.  Three\n---\n`q002.  Two\n---\n`q002.  Again\n---\n`Q004.  Caps\n" + tail,
         {u"`q1.  Short", u"`q003.  Three", u"`q002.  Two", u"`q002.  Again", u"`Q004.  Caps", u"end program"},
         {"3 error a question marker needs a three-digit number", "7 warning question 2 comes after question 3",
          "9 warning question 2 comes after question 2", "11 warning `Q in capitals"}},
        // Answers: before any question, in capitals, a lone `a with nothing after it.
        {head + "`aToo early\n---\n`q001.  Q\n---\n`AShouted\n---\nend program\n---\n`a\n",
         {u"`aToo early", u"`q001.  Q", u"`AShouted", u"end program"},
         {"3 warning a worked answer (`a) with no question before it", "7 warning `A in capitals", "11 warning `a marks"}},
        // An unknown routine ends the student's program.
        {head + "`routine draw-it\n" + tail, {u"`routine draw-it", u"end program"}, {"3 error unknown routine \"drawit\""}},
        // The next assignment's number ends the program, with or without a dot, after an answer marker too.
        {head + "One\n---\n008.  Next one\n---\nNever shown\n---\n`a008 students\n---\nend program\n",
         {u"One", u"008.  Next one", u"Never shown", u"`a008 students", u"end program"},
         {"5 warning the program ends at this block", "7 warning this block and those after it can never be shown",
          "9 warning a worked answer (`a) with no question before it", "9 warning the program ends at this block"}},
        // No end program.
        {head + "One\n", {u"One"}, {"3 warning no \"end program\" block"}},
    };
    return table;
}

TEST(AssignmentFile, EachRuleGivesItsScriptLinesAndProblems) {
    for (const Expected& row : cases()) {
        SCOPED_TRACE(row.source);
        const Assignment assignment = readAssignment(row.source);
        std::vector<std::u16string> blocks;
        for (const AssignmentBlock& block : assignment.blocks) blocks.push_back(block.text);
        EXPECT_EQ(blocks, row.blocks);
        ASSERT_EQ(assignment.problems.size(), row.problems.size());
        for (std::size_t i = 0; i < row.problems.size(); ++i)
            EXPECT_EQ(describe(assignment.problems[i]).rfind(row.problems[i], 0), 0u) << describe(assignment.problems[i]);
        if (!row.setTitle.empty()) {
            EXPECT_EQ(assignment.setTitle, row.setTitle);
        }
        const bool errors = std::any_of(row.problems.begin(), row.problems.end(),
                                        [](const std::string& p) { return p.find(" error ") != std::string::npos; });
        EXPECT_EQ(assignment.hasErrors(), errors);
    }
}

TEST(AssignmentFile, HeaderGivesNumbersAndProblemsTheirLineForEditors) {
    const Assignment assignment = readAssignment("\n  099.  Last one  \n---\nend program\n");
    EXPECT_EQ(assignment.headerLine, u"099.  Last one");
    EXPECT_EQ(assignment.number, u"099");
    EXPECT_EQ(assignment.nextNumber, u"100");
    EXPECT_EQ(assignment.setTitle, u"Last one");
    EXPECT_EQ(describeProblem("a.stepwise", {12, AssignmentProblem::Severity::warning, "w"}), "a.stepwise:12: warning: w");
}

TEST(AssignmentFile, BlocksPastTheTableAreRefusedWhereTheFirstThatDoesNotFitBegins) {
    std::string source = "001.  Many\n";
    const int fitting = (lastAssignmentScriptIndex - scriptIndexOfBlock(0)) / 2 + 1;
    for (int i = 0; i <= fitting; ++i) source += "---\nBlock " + std::to_string(i) + "\n";
    const Assignment assignment = readAssignment(source);
    ASSERT_EQ(static_cast<int>(assignment.blocks.size()), fitting);
    EXPECT_EQ(scriptIndexOfBlock(assignment.blocks.size() - 1), lastAssignmentScriptIndex);
    ASSERT_TRUE(assignment.hasErrors());
    EXPECT_EQ(assignment.problems.front().line, 3 + 2 * fitting);
    EXPECT_NE(assignment.problems.front().message.find("too many blocks"), std::string::npos);
}

}  // namespace
}  // namespace stepwise
