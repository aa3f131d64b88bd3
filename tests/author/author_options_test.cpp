// The command line of stepwise-author: what each command accepts, and every usage error with
// exit status 2 before anything is read or written.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "author/author_options.h"
#include "author/author_run.h"

namespace stepwise::author {
namespace {

struct UsageRow {
    std::vector<std::string> arguments;
    std::string error;  // the start of the message; "" when the line is good
};

TEST(AuthorOptions, UsageErrorsAreNamedAndGoodLinesParse) {
    const std::vector<UsageRow> rows = {
        {{}, "no command given"},
        {{"compile", "a.stepwise"}, "unknown command compile"},
        {{"-o", "x", "builtin"}, "unknown option -o"},
        {{"builtin", "a.stepwise"}, "builtin takes no FILE"},
        {{"builtin", "-o"}, "-o needs a file name"},
        {{"builtin", "-o", "a", "--output", "b"}, "--output is given twice"},
        {{"builtin", "--html", "a"}, "unknown option --html for this command"},
        {{"check"}, "check needs at least one FILE"},
        {{"check", "--force", "a.stepwise"}, "unknown option --force for this command"},
        {{"check", "-o", "x", "a.stepwise"}, "unknown option -o for this command"},
        {{"preview", "a.stepwise"}, "preview needs --html OUT"},
        {{"preview", "--html", "p.html"}, "preview needs exactly one FILE"},
        {{"preview", "--html", "p.html", "a.stepwise", "b.stepwise"}, "preview needs exactly one FILE"},
        {{"builtin"}, ""},
        {{"builtin", "-o", "a.stepwise", "--force"}, ""},
        {{"check", "a.stepwise", "--", "-b.stepwise", "--force"}, ""},
        {{"preview", "a.stepwise", "--html", "p.html", "--force"}, ""},
    };
    for (const UsageRow& row : rows) {
        std::string line;
        for (const std::string& arg : row.arguments) line += arg + " ";
        SCOPED_TRACE(line);
        const ParsedAuthorOptions parsed = parseAuthorOptions(row.arguments);
        if (row.error.empty()) {
            EXPECT_EQ(parsed.error, "");
            continue;
        }
        EXPECT_EQ(parsed.error.rfind(row.error, 0), 0u) << parsed.error;
        std::ostringstream out, err;
        EXPECT_EQ(runAuthor(row.arguments, {out, err}), exitUsage);
        EXPECT_EQ(out.str(), "");
        EXPECT_EQ(err.str().rfind("stepwise-author: " + row.error, 0), 0u) << err.str();
        EXPECT_NE(err.str().find("Try 'stepwise-author --help'"), std::string::npos);
    }
}

TEST(AuthorOptions, FilesAfterTheEndOfOptionsAndTheOutputAreKept) {
    const ParsedAuthorOptions check = parseAuthorOptions({"check", "a", "--", "--help", "-o"});
    EXPECT_EQ(check.options.command, Command::check);
    EXPECT_EQ(check.options.files, (std::vector<std::filesystem::path>{"a", "--help", "-o"}));
    EXPECT_FALSE(check.options.help) << "--help after -- is a file name";

    const ParsedAuthorOptions preview = parseAuthorOptions({"preview", "--html", "out.html", "in.stepwise"});
    ASSERT_TRUE(preview.options.output);
    EXPECT_EQ(*preview.options.output, "out.html");
    EXPECT_EQ(preview.options.files, (std::vector<std::filesystem::path>{"in.stepwise"}));
    EXPECT_FALSE(preview.options.force);
}

TEST(AuthorOptions, HelpAndVersionWinWhateverElseIsWrong) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--help"}, {"nonsense", "--help"}, {"check", "--version"}}) {
        std::ostringstream out, err;
        EXPECT_EQ(runAuthor(arguments, {out, err}), exitClean);
        EXPECT_EQ(err.str(), "");
        EXPECT_EQ(out.str(), arguments.back() == "--help" ? authorUsage() : authorVersion());
    }
}

}  // namespace
}  // namespace stepwise::author
