#include <gtest/gtest.h>

#include <fstream>

#include "system/rollback_journal.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;

class RollbackJournalTest : public ::testing::Test {
protected:
    fs::path file(const std::string& name, const std::string& bytes) {
        const fs::path path = temp.path() / fs::path(std::u8string(name.begin(), name.end()));
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    TempDir temp;
    RollbackJournal journal{temp.path() / "masterFile_Ann_Lee.txt.journal"};
};

TEST_F(RollbackJournalTest, AWholeJournalReadsBackAndEveryCutOffOrChangedOneIsRefused) {
    const std::vector<JournalEntry> entries = {{fs::path(u8"/home/ann/qwelrand/masterFile_Ann Lee.txt"), 12345},
                                               {fs::path(u8"/home/ann/\u0394 folder/send_1207Ann\u00e9.txt"), 0},
                                               {fs::path(u8"c:\\qwelrand\\notes 7 8.txt"), 9876543210}};
    const std::string bytes = formatJournal(entries);
    const auto back = parseJournal(bytes);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->size(), entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ((*back)[i].file, entries[i].file);
        EXPECT_EQ((*back)[i].size, entries[i].size);
    }
    for (std::size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(parseJournal(bytes.substr(0, length))) << "cut off after " << length << " bytes";
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        std::string changed = bytes;
        changed[at] ^= 0x10;
        EXPECT_FALSE(parseJournal(changed)) << "byte " << at << " changed";
    }
    EXPECT_FALSE(parseJournal(bytes + std::string(512, '\0'))) << "a tail of zeros after a power cut";
}

TEST_F(RollbackJournalTest, RecoveryCutsEachFileBackToItsSizeAndRemovesTheJournal) {
    const fs::path grown = file("masterFile_Ann_Lee.txt", "header\r\nhalf a rec");
    const fs::path shorter = file("send_1207Ann_Lee.txt", "edited");
    const fs::path untouched = file("notes_Ann_Lee.txt", "notes");
    ASSERT_EQ(journal.write({{grown, 8}, {shorter, 100}, {untouched, 5}, {temp.path() / "gone.txt", 3}}), 0);
    EXPECT_FALSE(journal.recover());
    EXPECT_EQ(readBytes(grown), "header\r\n");
    EXPECT_EQ(readBytes(shorter), "edited") << "a file is never lengthened";
    EXPECT_EQ(readBytes(untouched), "notes");
    EXPECT_FALSE(fs::exists(temp.path() / "gone.txt")) << "a file that is gone is not made again";
    EXPECT_FALSE(fs::exists(journal.path()));
    EXPECT_FALSE(journal.recover()) << "no journal, nothing to do";
}

TEST_F(RollbackJournalTest, AJournalCutOffWhileWrittenIsRemovedAndNoFileIsTouched) {
    const fs::path master = file("masterFile_Ann_Lee.txt", "header\r\nrecord\r\n");
    const std::string whole = formatJournal({{master, 8}});
    file("masterFile_Ann_Lee.txt.journal", whole.substr(0, whole.size() - 3));
    EXPECT_FALSE(journal.recover());
    EXPECT_EQ(readBytes(master), "header\r\nrecord\r\n");
    EXPECT_FALSE(fs::exists(journal.path()));
}

}  // namespace
}  // namespace stepwise::testing
