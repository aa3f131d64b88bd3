#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "system/atomic_file_replace.h"
#include "support/temp_dir.h"

namespace stepwise {
namespace {

namespace fs = std::filesystem;

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Interrupted {};

class AtomicFileReplace : public ::testing::Test {
protected:
    void SetUp() override { std::ofstream(target, std::ios::binary) << oldContent; }

    testing::TempDir dir;
    const fs::path target = dir.path() / "marks.csv";
    const std::string oldContent = "old,marks\r\n1,1\r\n";
    const std::string newContent = std::string(100000, 'n');
};

TEST_F(AtomicFileReplace, ReplacesTheFileWithNothingLeftBeside) {
    EXPECT_FALSE(replaceFileAtomically(target, newContent));
    EXPECT_EQ(readAll(target), newContent);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST_F(AtomicFileReplace, AStopBetweenWritingAndRenamingLeavesTheOldFile) {
    EXPECT_THROW(replaceFileAtomically(target, newContent, [] { throw Interrupted{}; }), Interrupted);
    EXPECT_EQ(readAll(target), oldContent);
    EXPECT_EQ(readAll(pendingReplacementPath(target)), newContent) << "the new content waited beside it";

    // The next run writes over what the interrupted one left.
    EXPECT_FALSE(replaceFileAtomically(target, "next"));
    EXPECT_EQ(readAll(target), "next");
    EXPECT_FALSE(fs::exists(pendingReplacementPath(target)));
}

#ifndef _WIN32
TEST_F(AtomicFileReplace, AProcessKilledBeforeTheRenameLeavesTheOldFile) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        replaceFileAtomically(target, newContent, [] { ::kill(::getpid(), SIGKILL); });
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), SIGKILL);
    EXPECT_EQ(readAll(target), oldContent);
}
#endif

TEST_F(AtomicFileReplace, AFailedWriteNamesTheFileAndLeavesTheOldOne) {
    fs::create_directory(pendingReplacementPath(target));  // the new content has nowhere to go
    const Status failure = replaceFileAtomically(target, newContent);
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->path, target);
    EXPECT_NE(failure->code, 0);
    EXPECT_EQ(failure->reason, std::generic_category().message(failure->code));
    EXPECT_EQ(readAll(target), oldContent);
    EXPECT_FALSE(fs::exists(pendingReplacementPath(target)));
}

}  // namespace
}  // namespace stepwise
