// The student program's command line after its name, as both front ends read it.
#include <gtest/gtest.h>

#include "frontends/common/lesson_arguments.h"
#include "system/path_text.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;

struct ArgumentsCase {
    const char* what;
    std::vector<fs::path> arguments;
    std::optional<fs::path> file;
    Text problem;
};

TEST(LessonArguments, AtMostOneFileAndNoOptions) {
    const fs::path unicodeName = pathFromUtf8("\xC3\x9C" "bung \xE2\x88\x9A \xE6\x97\xA5\xE6\x9C\xAC.stepwise");
    const std::vector<ArgumentsCase> cases = {
        {"nothing: the built-in assignment", {}, std::nullopt, u""},
        {"one file", {"rates.stepwise"}, fs::path("rates.stepwise"), u""},
        {"a name in any script, kept whole", {unicodeName}, unicodeName, u""},
        {"a lone dash is a file name", {"-"}, fs::path("-"), u""},
        {"-- lets a name begin with a dash", {"--", "-odd.stepwise"}, fs::path("-odd.stepwise"), u""},
        {"two files", {"a.stepwise", "b.stepwise"}, std::nullopt, u"one assignment file at a time, and 2 were given"},
        {"an option", {"--bogus"}, std::nullopt, u"unknown option --bogus"},
        {"an option after a file", {"a.stepwise", "-x"}, std::nullopt, u"unknown option -x"},
    };
    for (const ArgumentsCase& c : cases) {
        const LessonArguments read = lessonArguments(c.arguments);
        EXPECT_EQ(read.assignmentFile, c.file) << c.what;
        EXPECT_EQ(toUtf8(read.problem), toUtf8(c.problem)) << c.what;
    }
}

}  // namespace
}  // namespace stepwise::testing
