// What stepwise-author writes and what it will not write over.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "author/author_run.h"
#include "format/assignment_writer.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {
namespace {

struct AuthorRun {
    int status;
    std::string out, err;
};

AuthorRun author(const std::vector<std::string>& arguments) {
    std::ostringstream out, err;
    const int status = author::runAuthor(arguments, {out, err});
    return {status, out.str(), err.str()};
}

void write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const std::string builtinFile = writeAssignmentFile(builtinAssignmentSource());
const std::string assignment = "002.  Short\n---\n`q001.  One?\n---\nend program\n";

TEST(AuthorOutput, BuiltinGoesToStandardOutputOrToANewFileAndReplacesOnlyWithForce) {
    TempDir temp;
    const auto file = temp.path() / "rates.stepwise";
    EXPECT_EQ(author({"builtin"}).out, builtinFile);

    const AuthorRun first = author({"builtin", "-o", file.string()});
    EXPECT_EQ(first.status, 0);
    EXPECT_EQ(first.out, "");
    EXPECT_EQ(readBytes(file), builtinFile);

    write(file, "mine");
    const AuthorRun refused = author({"builtin", "--output", file.string()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_EQ(refused.err, "stepwise-author: " + file.string() + " already exists; add --force to replace it\n");
    EXPECT_EQ(readBytes(file), "mine");

    EXPECT_EQ(author({"builtin", "-o", file.string(), "--force"}).status, 0);
    EXPECT_EQ(readBytes(file), builtinFile);
}

TEST(AuthorOutput, PreviewReplacesAnEarlierPreviewButNoOtherFileWithoutForce) {
    TempDir temp;
    const auto input = temp.path() / "002.stepwise", page = temp.path() / "preview.html";
    write(input, assignment);
    ASSERT_EQ(author({"preview", "--html", page.string(), input.string()}).status, 0);
    const std::string firstPage = readBytes(page);
    EXPECT_NE(firstPage.find("One?"), std::string::npos);

    write(input, "002.  Short\n---\n`q001.  Two?\n---\nend program\n");
    ASSERT_EQ(author({"preview", "--html", page.string(), input.string()}).status, 0);
    EXPECT_NE(readBytes(page).find("Two?"), std::string::npos) << "the earlier preview is replaced";

    for (const std::string other : {"<!DOCTYPE html>\n<p>my own page</p>\n", "notes"}) {
        write(page, other);
        const AuthorRun refused = author({"preview", "--html", page.string(), input.string()});
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.err.find("already exists; add --force"), std::string::npos);
        EXPECT_EQ(readBytes(page), other);
    }
    EXPECT_EQ(author({"preview", "--html", page.string(), "--force", input.string()}).status, 0);
    EXPECT_NE(readBytes(page).find("Two?"), std::string::npos);

    // The assignment named as its own preview is never written over.
    EXPECT_EQ(author({"preview", "--html", input.string(), input.string()}).status, 2);
    EXPECT_EQ(readBytes(input), "002.  Short\n---\n`q001.  Two?\n---\nend program\n");
}

TEST(AuthorOutput, PreviewOfAFileWithErrorsIsWrittenAndSaysSoWithStatusOne) {
    TempDir temp;
    const auto input = temp.path() / "bad.stepwise", page = temp.path() / "p.html";
    write(input, "002.  Bad\n---\n`routine nowhere\n---\nend program\n");
    const AuthorRun run = author({"preview", "--html", page.string(), input.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, input.string() + ":3: error: unknown routine \"nowhere\": the program would end here (known: graph1, "
                                        "graph2, graph3, exitprog)\n1 file checked: 1 error, no warnings\n");
    EXPECT_NE(readBytes(page).find("unknown routine"), std::string::npos);
}

TEST(AuthorOutput, AnOutputThatCannotBeWrittenOrAnInputThatCannotBeReadIsStatusTwoAndWritesNothing) {
    TempDir temp;
    const auto input = temp.path() / "a.stepwise";
    write(input, assignment);
    const auto intoMissingFolder = temp.path() / "no-such-folder" / "p.html";
    const AuthorRun noFolder = author({"preview", "--html", intoMissingFolder.string(), input.string()});
    EXPECT_EQ(noFolder.status, 2);
    EXPECT_EQ(noFolder.err.rfind("stepwise-author: cannot write " + intoMissingFolder.string() + ": ", 0), 0u)
        << noFolder.err;

    const AuthorRun intoFolder = author({"builtin", "-o", temp.path().string(), "--force"});
    EXPECT_EQ(intoFolder.status, 2);
    EXPECT_NE(intoFolder.err.find("is not a file that can be written"), std::string::npos) << intoFolder.err;

    const auto page = temp.path() / "p.html";
    const AuthorRun missingInput = author({"preview", "--html", page.string(), (temp.path() / "gone.stepwise").string()});
    EXPECT_EQ(missingInput.status, 2);
    EXPECT_FALSE(std::filesystem::exists(page));
}

}  // namespace
}  // namespace stepwise::testing
