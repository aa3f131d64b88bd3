#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <optional>
#include <system_error>

#include "support/temp_dir.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise {
namespace {

namespace fs = std::filesystem;

const std::string nonAscii = "r\xC3\xA9sum\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";  // é, €, and one past UTF-16's first plane

TEST(ReadWholeFile, GivesTheBytesWithinTheLimitAndOtherwiseTheFileAndTheReason) {
    testing::TempDir dir;
    const auto write = [&dir](const fs::path& name, const std::string& bytes) {
        std::ofstream(dir.path() / name, std::ios::binary) << bytes;
        return dir.path() / name;
    };
    const fs::path empty = write("empty.txt", "");
    const fs::path ten = write("ten.txt", std::string("01234\r\n\0" "89", 10));
    const fs::path named = write(pathFromUtf8(nonAscii + ".txt"), "caf\xE9");
    fs::create_directory(dir.path() / "folder");

    struct Case {
        const char* what;
        fs::path path;
        std::uintmax_t limit;
        std::optional<std::string> bytes;  // nothing: the read fails
        int code;
        std::string reason;
    };
    const Case cases[] = {
        {"an empty file", empty, 0, "", 0, ""},
        {"exactly the limit", ten, 10, std::string("01234\r\n\0" "89", 10), 0, ""},
        {"one byte over the limit", ten, 9, std::nullopt, EFBIG, "it is larger than 9 bytes"},
        {"a non-ASCII path", named, anySize, "caf\xE9", 0, ""},
        {"a missing file", dir.path() / "missing.txt", anySize, std::nullopt, ENOENT,
         std::generic_category().message(ENOENT)},
        {"a folder instead of a file", dir.path() / "folder", anySize, std::nullopt, EISDIR,
         std::generic_category().message(EISDIR)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Result<WholeFile> read = readWholeFile(c.path, c.limit);
        EXPECT_FALSE(read.value.brokeOff);
        if (c.bytes) {
            EXPECT_TRUE(read) << read.failure->reason;
            EXPECT_EQ(read.value.bytes, *c.bytes);
            continue;
        }
        ASSERT_FALSE(read);
        EXPECT_EQ(read.failure->path, c.path);
        EXPECT_EQ(read.failure->code, c.code);
        EXPECT_EQ(read.failure->reason, c.reason);
        EXPECT_EQ(read.value.bytes, "");
    }
}

TEST(PathText, AUtf8NameIsTheOneTheSystemHoldsAndComesBackUnchanged) {
    struct Case {
        const char* what;
        std::string name;
    };
    const Case cases[] = {
        {"ASCII", "send_1207Ann_Lee.txt"},
        {"non-ASCII", nonAscii + ".html"},
#ifndef _WIN32
        // A Linux file name is bytes; these are no UTF-8 and must not be mended on the way.
        {"invalid UTF-8", "caf\xE9 \xFF\xC3(.txt"},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TempDir dir;
        const fs::path path = dir.path() / pathFromUtf8(c.name);
        EXPECT_EQ(utf8Path(path.filename()), c.name);
        std::ofstream(path, std::ios::binary) << "x";
        const fs::directory_iterator listed(dir.path());
        ASSERT_NE(listed, fs::directory_iterator());
        EXPECT_EQ(utf8Path(listed->path().filename()), c.name) << "the name the system holds";
        EXPECT_EQ(listed->path(), path);
    }
}

}  // namespace
}  // namespace stepwise
