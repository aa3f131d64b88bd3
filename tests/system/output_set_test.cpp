#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <functional>

#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "system/output_set.h"

namespace stepwise {
namespace {

namespace fs = std::filesystem;
using testing::readBytes;

void write(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

std::vector<std::string> namesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class OutputSetTest : public ::testing::Test {
protected:
    void SetUp() override {
        write(dir() / "a.csv", "old a");
        write(dir() / "b.html", "old b");
    }
    const fs::path& dir() const { return temp.path(); }

    // Writes new content to a.csv, b.html and c.csv (new) in one set.
    Status writeThree(OutputSet& set, const std::function<void(std::size_t)>& betweenMoves = {}) {
        for (const char* name : {"a.csv", "b.html", "c.csv"}) {
            const Result<std::size_t> added = set.add(dir() / name);
            if (added.failure) return added.failure;
            if (Status written = set.write(added.value, std::string("new ") + name)) return written;
        }
        return set.commit(betweenMoves);
    }

    testing::TempDir temp;
};

TEST_F(OutputSetTest, AllOutputsReplacedAndNothingLeftBeside) {
    OutputSet set;
    const Result<std::size_t> scratch = set.addScratch(dir() / "b.html");
    ASSERT_FALSE(scratch.failure);
    ASSERT_FALSE(set.write(scratch.value, "scratch"));
    ASSERT_FALSE(writeThree(set));
    EXPECT_EQ(readBytes(dir() / "a.csv"), "new a.csv");
    EXPECT_EQ(readBytes(dir() / "b.html"), "new b.html");
    EXPECT_EQ(readBytes(dir() / "c.csv"), "new c.csv");
    EXPECT_EQ(namesIn(dir()), (std::vector<std::string>{"a.csv", "b.html", "c.csv"}));
}

// A scratch file copied into an output after what the output holds already, whatever its size.
TEST_F(OutputSetTest, AScratchFileIsCopiedWholeAfterTheOutputsStart) {
    for (const std::size_t size : {std::size_t{0}, std::size_t{5}, std::size_t{(1 << 20) + 1}, std::size_t{21'000'011}}) {
        SCOPED_TRACE(size);
        std::string body(size, '\0');
        for (std::size_t i = 0; i < size; ++i) body[i] = static_cast<char>('a' + (i * 7 + i / 4099) % 26);
        OutputSet set;
        const Result<std::size_t> scratch = set.addScratch(dir() / "b.html");
        const Result<std::size_t> report = set.add(dir() / "b.html");
        ASSERT_FALSE(scratch.failure || report.failure);
        // Written in two pieces, as the report writes its students.
        ASSERT_FALSE(set.write(scratch.value, std::string_view(body).substr(0, size / 3)));
        ASSERT_FALSE(set.write(scratch.value, std::string_view(body).substr(size / 3)));
        ASSERT_FALSE(set.write(report.value, "<head>"));
        ASSERT_FALSE(set.copy(scratch.value, report.value));
        ASSERT_FALSE(set.write(report.value, "<end>"));
        ASSERT_FALSE(set.commit());
        EXPECT_TRUE(readBytes(dir() / "b.html") == "<head>" + body + "<end>");
        EXPECT_EQ(namesIn(dir()), (std::vector<std::string>{"a.csv", "b.html"}));
    }
}

TEST_F(OutputSetTest, AFailedOrStoppedMovePutsBackWhatWasMoved) {
    // After two moves the third fails, or a stop arrives: the two moved are put back.
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"the last move fails", [&] { fs::create_directories(dir() / "c.csv" / "in the way"); }},
#ifndef _WIN32
        {"SIGTERM arrives", [] { ::raise(SIGTERM); }},
#endif
    };
    for (const auto& [name, interfere] : cases) {
        SCOPED_TRACE(name);
#ifndef _WIN32
        struct sigaction noted {}, before {};
        noted.sa_handler = [](int) {};
        ::sigaction(SIGTERM, &noted, &before);
#endif
        OutputSet set;
        const Status failure = writeThree(set, [&](std::size_t moved) {
            if (moved == 2) interfere();
        });
#ifndef _WIN32
        ::sigaction(SIGTERM, &before, nullptr);
#endif
        ASSERT_TRUE(failure);
        EXPECT_EQ(failure->path, dir() / "c.csv");
        EXPECT_EQ(readBytes(dir() / "a.csv"), "old a");
        EXPECT_EQ(readBytes(dir() / "b.html"), "old b");
        for (const std::string& file : namesIn(dir())) EXPECT_FALSE(isOutputTemporaryName(file)) << file;
        fs::remove_all(dir() / "c.csv");
    }
}

#ifndef _WIN32
TEST_F(OutputSetTest, ReplacingKeepsModeAndWritesThroughALink) {
    fs::permissions(dir() / "a.csv", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_directory(dir() / "real");
    write(dir() / "real" / "target.html", "old target");
    fs::create_symlink("real/target.html", dir() / "b.html.link");
    OutputSet set;
    for (const char* name : {"a.csv", "b.html.link"}) {
        const Result<std::size_t> added = set.add(dir() / name);
        ASSERT_FALSE(added.failure);
        ASSERT_FALSE(set.write(added.value, "new"));
    }
    ASSERT_FALSE(set.commit());
    EXPECT_EQ(fs::status(dir() / "a.csv").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_TRUE(fs::is_symlink(dir() / "b.html.link"));
    EXPECT_EQ(readBytes(dir() / "real" / "target.html"), "new");
    EXPECT_EQ(namesIn(dir() / "real"), std::vector<std::string>{"target.html"});
}
#endif

TEST_F(OutputSetTest, IdentityWhateverTheSpelling) {
    fs::create_directory(dir() / "sub");
    fs::create_hard_link(dir() / "a.csv", dir() / "hard.csv");
    const auto id = [&](const fs::path& path) { return fileIdentity(path).value; };
    EXPECT_EQ(id(dir() / "a.csv"), id(dir() / "sub" / ".." / "a.csv"));
    EXPECT_EQ(id(dir() / "a.csv"), id(dir() / "hard.csv"));
    EXPECT_NE(id(dir() / "a.csv"), id(dir() / "b.html"));
    EXPECT_EQ(id(dir() / "new.csv"), id(dir() / "sub" / ".." / "new.csv")) << "a file not made yet";
    EXPECT_NE(id(dir() / "new.csv"), id(dir() / "sub" / "new.csv"));
    EXPECT_TRUE(fileIdentity(dir() / "missing" / "new.csv").failure);
}

}  // namespace
}  // namespace stepwise
