#include <gtest/gtest.h>

#include <fstream>

#include "format/cp1252.h"
#include "system/file_table.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {
namespace {

class FileTableTest : public ::testing::Test {
protected:
    void writeFile(const std::string& name, const std::string& bytes) {
        std::ofstream(temp.path() / name, std::ios::binary) << bytes;
    }
    std::vector<Text> readAll(const Text& path) {
        std::vector<Text> lines;
        EXPECT_FALSE(files.open(5, path, FileMode::Read));
        while (!files.atEnd(5)) lines.push_back(files.readLine(5));
        files.close({5});
        return lines;
    }
    TempDir temp;
    FileTable files{temp.path()};
};

TEST_F(FileTableTest, LinesEndAtCrOrCrLf) {
    writeFile("f.txt", "one\r\ntwo\rthree\r\n\r\nlone\nlf\r\nlast");
    EXPECT_EQ(readAll(u"c:\\f.txt"), (std::vector<Text>{u"one", u"two", u"three", u"", u"lone\nlf", u"last"}));
    writeFile("g.txt", "a\r\n");
    EXPECT_EQ(readAll(u"c:\\g.txt"), (std::vector<Text>{u"a"}));
    writeFile("h.txt", "");
    EXPECT_TRUE(readAll(u"c:\\h.txt").empty());
}

TEST_F(FileTableTest, AFileOpenForReadingHoldsEveryByteAndKnowsItsLength) {
    std::string bytes;
    for (int i = 0; i < 70000; ++i) bytes += char(i % 256);  // every byte value, past any read buffer
    writeFile("all.bin", bytes);
    ASSERT_FALSE(files.open(5, u"c:\\all.bin", FileMode::Read));
    EXPECT_EQ(files.length(5), bytes.size());
    // Each CR here is followed by byte 14, so the lines joined by CR give back the whole file.
    Text joined;
    while (!files.atEnd(5)) {
        joined += files.readLine(5);
        if (!files.atEnd(5)) joined += u'\r';
    }
    EXPECT_EQ(files.length(5), bytes.size()) << "the length is the file's, not what is left of it";
    files.close({5});
    EXPECT_TRUE(joined == decodeCp1252(bytes)) << "read back " << joined.size() << " characters";
}

TEST_F(FileTableTest, AppendCreatesTheFileAndWritesOnlyWhenClosed) {
    ASSERT_FALSE(files.open(1, u"c:\\new.txt", FileMode::Append));
    EXPECT_TRUE(std::filesystem::exists(temp.path() / "new.txt"));
    files.write(1, u"first\r\n");
    EXPECT_EQ(readBytes(temp.path() / "new.txt"), "") << "nothing reaches the file before it is closed";
    EXPECT_FALSE(files.close({1}));
    ASSERT_FALSE(files.open(1, u"c:\\new.txt", FileMode::Append));
    files.write(1, u"second\u0394");
    EXPECT_FALSE(files.close({1}));
    EXPECT_EQ(readBytes(temp.path() / "new.txt"), "first\r\nsecond&#916;");
}

TEST_F(FileTableTest, ClosingANumberThatIsNotOpenDoesNothing) {
    EXPECT_FALSE(files.close({1, 2, 3, 5}));
    EXPECT_THROW(files.write(2, u"x"), std::logic_error);
}

TEST_F(FileTableTest, FailuresNameThePathAndTheReason) {
    const FileStatus missingFolder = files.open(1, u"c:\\nowhere\\m.txt", FileMode::Append);
    ASSERT_TRUE(missingFolder);
    EXPECT_EQ(missingFolder->path, u"c:\\nowhere\\m.txt");
    EXPECT_EQ(missingFolder->reason, u"No such file or directory");
    const FileStatus missingFile = files.open(5, u"c:\\absent.txt", FileMode::Read);
    ASSERT_TRUE(missingFile);
    EXPECT_TRUE(missingFile->notFound);
    std::filesystem::create_directory(temp.path() / "dir");
    const FileStatus directory = files.open(5, u"c:\\dir", FileMode::Read);
    ASSERT_TRUE(directory);
    EXPECT_FALSE(directory->notFound);
    EXPECT_FALSE(files.isOpen(5));
}

TEST_F(FileTableTest, ANameTheFolderCannotHoldIsToldApartFromAFolderThatIsNotThere) {
    const Text tooLong = u"c:\\" + Text(300, u'a') + u".txt";
    const FileStatus refused = files.open(1, tooLong, FileMode::Append);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->badName) << toUtf8(refused->reason);
    EXPECT_FALSE(refused->reason.empty());
    const FileStatus missingFolder = files.open(1, u"c:\\nowhere\\m.txt", FileMode::Append);
    ASSERT_TRUE(missingFolder);
    EXPECT_FALSE(missingFolder->badName);
    EXPECT_FALSE(files.isOpen(1));
}

#ifdef __linux__
TEST_F(FileTableTest, AFailedWriteLeavesNoFileOfTheGroupChanged) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
    writeFile("a.txt", "kept\r\n");
    ASSERT_FALSE(files.open(1, u"c:\\a.txt", FileMode::Append));
    ASSERT_FALSE(files.open(2, u"/dev/full", FileMode::Append));
    files.write(1, u"record\r\n");
    files.write(2, u"record\r\n");
    const FileStatus status = files.close({1, 2});
    ASSERT_TRUE(status);
    EXPECT_EQ(status->path, u"/dev/full");
    EXPECT_EQ(readBytes(temp.path() / "a.txt"), "kept\r\n");
    EXPECT_FALSE(files.isOpen(1));
    EXPECT_FALSE(files.isOpen(2));
}
#endif

}  // namespace
}  // namespace stepwise::testing
