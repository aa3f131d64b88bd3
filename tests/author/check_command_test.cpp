// `stepwise-author check` on small files, one rule each: every problem at its line, in the form
// editors jump to, the summary, and the exit status.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "author/author_run.h"
#include "support/temp_dir.h"

namespace stepwise::testing {
namespace {

struct CheckRow {
    const char* rule;
    std::string file;
    std::vector<std::string> problems;  // "LINE: error: MESSAGE-START" after "a.stepwise:"
    int status;
};

const std::string head = "007.  Speed and distance\n---\n";
const std::string tail = "---\nend program\n";

const std::vector<CheckRow>& rows() {
    static const std::vector<CheckRow> table = {
        {"clean", head + "`q001.  How far?\n---\n`a\n---\n120 km.\n" + tail, {}, 0},
        {"no header", "\n  \n", {"1: error: the file holds no assignment"}, 1},
        {"malformed header", "\n07. Speed\n" + tail, {"2: error: the assignment header must be"}, 1},
        {"separator first", "---\nend program\n", {"1: error: no assignment header before the first ---"}, 1},
        {"text before the first separator", "007.  Speed\n\nsome words\n" + tail,
         {"3: error: text before the first ---"}, 1},
        {"unknown option", "007.  Speed\nset: a set\ncolour: red\n" + tail, {"3: error: unknown option \"colour:\""}, 1},
        {"question number not three digits", head + "`q12. Short\n---\n`q0x3. Letters\n" + tail,
         {"3: error: a question marker needs a three-digit number", "5: error: a question marker needs a three-digit number"}, 1},
        {"unknown routine", head + "`routine graph4\n---\n`Routine Graph-1\n" + tail,
         {"3: error: unknown routine \"graph4\""}, 1},
        {"a routine name that would drive the terminal", head + "`routine \x1B[2J\n" + tail,
         {"3: error: this line holds a control character", "3: error: unknown routine \"\xE2\x90\x9B[2j\""}, 1},
        {"empty block", head + "One\n---\n\n\t \n---\nTwo\n" + tail, {"5: error: empty block"}, 1},
        {"control characters", head + "One\n\nTwo\x01 three\n---\nx\x7F\n" + tail,
         {"5: error: this line holds a control character", "7: error: this line holds a control character"}, 1},
        {"NUL byte", head + std::string("A\0B\n", 4) + tail, {"3: error: this line holds a control character"}, 1},
        {"no end program", head + "`q001.  Only\n", {"3: warning: no \"end program\" block"}, 0},
        {"the next assignment's number ends the program", head + "One\n---\n008 students\n---\nTwo\n---\nThree\n" + tail,
         {"5: warning: the program ends at this block", "7: warning: this block and those after it can never be shown"}, 0},
        {"the next number after a lone answer marker", head + "`q001.  Q\n---\n`a\n---\n008.  Next\n",
         {"7: warning: the program ends at this block"}, 0},
        {"question numbers out of order and repeated", head + "`q002.  B\n---\n`q001.  A\n---\n`q001.  A again\n" + tail,
         {"5: warning: question 1 comes after question 2", "7: warning: question 1 comes after question 1"}, 0},
        {"markers in capitals", head + "`Q001.  Caps\n---\n`AAnswer in caps\n" + tail,
         {"3: warning: `Q in capitals", "5: warning: `A in capitals"}, 0},
        {"answer before any question", head + "`aAn answer\n---\n`q001.  Q\n" + tail,
         {"3: warning: a worked answer (`a) with no question before it"}, 0},
        {"errors and warnings together, in line order", "007.  Speed\nauthor: me\n---\n`aA\n---\n\n---\n`q1.\n",
         {"2: error: unknown option", "4: warning: a worked answer", "6: error: empty block",
          "8: error: a question marker needs", "8: warning: no \"end program\" block"}, 1},
    };
    return table;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

TEST(CheckCommand, EachRuleIsReportedAtItsLineWithTheExitStatusItCalls) {
    for (const CheckRow& row : rows()) {
        SCOPED_TRACE(row.rule);
        TempDir temp;
        const auto file = temp.path() / "a.stepwise";
        std::ofstream(file, std::ios::binary) << row.file;
        std::ostringstream out, err;
        const int status = author::runAuthor({"check", file.string()}, {out, err});
        EXPECT_EQ(status, row.status);
        EXPECT_EQ(err.str(), "");
        const std::vector<std::string> printed = lines(out.str());
        ASSERT_EQ(printed.size(), row.problems.size() + 1) << out.str();
        for (std::size_t i = 0; i < row.problems.size(); ++i)
            EXPECT_EQ(printed[i].rfind(file.string() + ":" + row.problems[i], 0), 0u) << printed[i];
        EXPECT_EQ(printed.back().rfind("1 file checked: ", 0), 0u) << printed.back();
    }
}

TEST(CheckCommand, SeveralFilesAreCountedTogetherAndAnUnreadableOneGivesStatusTwo) {
    TempDir temp;
    const auto good = temp.path() / "good.stepwise", bad = temp.path() / "bad.stepwise";
    std::ofstream(good, std::ios::binary) << head << "One\n";              // one warning
    std::ofstream(bad, std::ios::binary) << head << "`routine x\n" << tail;  // one error
    std::ostringstream out, err;
    EXPECT_EQ(author::runAuthor({"check", good.string(), bad.string()}, {out, err}), 1);
    EXPECT_EQ(lines(out.str()).back(), "2 files checked: 1 error, 1 warning");

    std::ostringstream out2, err2;
    const auto missing = temp.path() / "missing.stepwise";
    EXPECT_EQ(author::runAuthor({"check", good.string(), missing.string()}, {out2, err2}), 2);
    EXPECT_EQ(lines(out2.str()).back(), "1 file checked: no errors, 1 warning");
    EXPECT_EQ(err2.str().rfind("stepwise-author: cannot read " + missing.string() + ": ", 0), 0u) << err2.str();

    std::ostringstream out3, err3;
    EXPECT_EQ(author::runAuthor({"check", temp.path().string()}, {out3, err3}), 2) << "a folder is no file";
}

}  // namespace
}  // namespace stepwise::testing
