// A record cut off by a crash (the program killed, the power failed) is taken out of every file
// before anything else is written to them: at start-up, and before the next record.
#include <gtest/gtest.h>

#include <fstream>

#include "system/group_commit.h"
#include "system/rollback_journal.h"
#include "records/record_fixture.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;

class RecordRecovery : public RecordTest {
protected:
    void SetUp() override {}  // each test starts the lesson itself

    fs::path masterPath() const { return outputFolder() / "masterFile_Ann_Lee.txt"; }
    fs::path sendPath() const { return outputFolder() / "send_1207Ann_Lee.txt"; }
    fs::path notesPath() const { return outputFolder() / "notes_Ann_Lee.txt"; }
    static void append(const fs::path& file, const std::string& bytes) {
        std::ofstream(file, std::ios::binary | std::ios::app) << bytes;
    }
    // What a crash in the middle of a record leaves: the journal with the sizes before the record,
    // and the record's first bytes in some of the files.
    void crashInARecord(const std::string& masterPart, const std::string& sendPart) {
        const RollbackJournal journal(journalPathFor(masterPath()));
        ASSERT_EQ(journal.write({{masterPath(), static_cast<long long>(master().size())},
                                 {sendPath(), static_cast<long long>(send().size())},
                                 {notesPath(), static_cast<long long>(notes().size())}}),
                  0);
        append(masterPath(), masterPart);
        append(sendPath(), sendPart);
    }
};

TEST_F(RecordRecovery, ACutOffRecordIsTakenOutAtStartUpAndBeforeTheNextRecord) {
    fs::create_directories(outputFolder());
    append(masterPath(), "earlier run\r\n");
    append(sendPath(), "earlier run\r\n");
    crashInARecord(separator + "\r\n" + indent + "14:05:09\r\n\r\n\r\n`questionNum", "");
    ASSERT_TRUE(start());
    const std::string header = "\r\nassignment #001\r\n001.  Rates\r\novla set\r\n12-07-2026\r\n";
    EXPECT_TRUE(master().starts_with("earlier run\r\n") && master().ends_with(header)) << master();
    EXPECT_EQ(master(), send()) << "the header follows the earlier run at once in both files";
    EXPECT_FALSE(fs::exists(journalPathFor(masterPath())));

    masterBefore = master();
    sendBefore = send();
    crashInARecord(separator + "\r\n", separator + "\r\n" + indent + "14:0");
    showBlock(u"`q003.  block", u"question", u"3");
    type(u"my answer");
    platform.answers = {u"3"};
    enterResponse();
    const std::string tail = "`q003.  block\r\n" + separator + "\r\nRESPONSE -->  \r\nmy answer\r\nconfidence assessment:  3\r\n" +
                             closing + "\r\n";
    EXPECT_EQ(master(), masterBefore + separator + "\r\n" + indent + "14:05:09\r\n\r\n\r\n`questionNumber 10003 \r\n" + tail);
    EXPECT_EQ(send(), sendBefore + separator + "\r\n" + indent + "14:05:09\r\n" + tail);
    EXPECT_EQ(notes(), "");
    EXPECT_FALSE(fs::exists(journalPathFor(masterPath())));
}

}  // namespace
}  // namespace stepwise::testing
