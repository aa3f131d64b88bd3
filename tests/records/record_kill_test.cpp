// Kills a process that is making large records at many points of a record, then checks that every
// output file holds whole headers and records only, the same ones in every file, both as the kill
// left them (once the journal is rolled back) and after the next record.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "system/group_commit.h"
#include "system/rollback_journal.h"
#include "records/record_stream.h"
#include "support/child_process.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// Set for the child process only: "<id prefix> <drive root>".
constexpr char childVariable[] = "STEPWISE_RECORDING_CHILD";
const std::vector<std::string> childArguments = {"--gtest_filter=RecordingChild.DISABLED_MakesRecordsUntilKilled",
                                                 "--gtest_also_run_disabled_tests"};

// The child: starts a lesson under the drive root and makes records, two responses then notes,
// until it is killed. It stops with status 2 when a record is refused.
TEST(RecordingChild, DISABLED_MakesRecordsUntilKilled) {
    const char* setting = std::getenv(childVariable);
    if (!setting) GTEST_SKIP() << "run by the kill tests only";
    const std::string value = setting;
    const std::string prefix = value.substr(0, value.find(' '));
    FakePlatform platform(value.substr(value.find(' ') + 1));
    MainForm form(platform);
    platform.answers = {u"Ann Lee", u""};
    form.load();
    for (int k = 0; platform.messages.empty() && k < 1000; ++k)
        makeRecord(platform, form, prefix + "." + std::to_string(k), k % 3 == 2 ? RecordKind::notes : RecordKind::response);
    std::_Exit(platform.messages.empty() ? 0 : 2);
}

class RecordKill : public ::testing::Test {
protected:
    struct Files {
        fs::path master, send, notes;
    };
    static Files filesUnder(const fs::path& root) {
        const fs::path folder = root / "qwelrand";
        return {folder / "masterFile_Ann_Lee.txt", folder / "send_1207Ann_Lee.txt", folder / "notes_Ann_Lee.txt"};
    }
    static std::uintmax_t sizeOf(const fs::path& file) {
        std::error_code missing;
        const std::uintmax_t size = fs::file_size(file, missing);
        return missing ? 0 : size;
    }

    // Waits until the master file has grown past `size` (a record is being written), or the child
    // has ended, or ten seconds have gone by.
    static bool waitForGrowth(ChildProcess& child, const fs::path& master, std::uintmax_t size) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (sizeOf(master) <= size) {
            if (child.ended() || std::chrono::steady_clock::now() > deadline) return false;
            std::this_thread::yield();
        }
        return true;
    }

    // Every file holds whole units only, and the master and SEND files the same ones in the same
    // order, the notes file the notes records among them.
    void expectWholeRecords(const Files& files, const std::string& when) {
        const FileUnits master = readUnits(readBytes(files.master), OutputFile::master, shapes);
        const FileUnits send = readUnits(readBytes(files.send), OutputFile::send, shapes);
        const FileUnits notes = readUnits(readBytes(files.notes), OutputFile::notes, shapes);
        EXPECT_EQ(master.problem, "") << "master file, " << when;
        EXPECT_EQ(send.problem, "") << "SEND file, " << when;
        EXPECT_EQ(notes.problem, "") << "notes file, " << when;
        EXPECT_EQ(master.units, send.units) << when;
        std::vector<std::string> notesInMaster;
        for (const std::string& unit : master.units)
            if (unit[0] == 'N') notesInMaster.push_back(unit);
        EXPECT_EQ(notes.units, notesInMaster) << when;
    }

    static void rollBackJournal(const Files& files) {
        EXPECT_FALSE(RollbackJournal(journalPathFor(files.master)).recover());
    }

    TempDir temp;
    RecordShapes shapes;
};

// Kill delays after the first bytes of a record reach the master file, spread over the parts of
// a record: the writes, the flushes, the journal's removal, the next record's preparation.
constexpr std::array<std::chrono::microseconds, 12> killDelays = {0us,    30us,   100us,  200us,  400us,   700us,
                                                                  1200us, 2000us, 3500us, 6000us, 10000us, 16000us};
#ifdef _WIN32
constexpr int rounds = 6;  // a process starts slowly under Wine
#else
constexpr int rounds = 24;
#endif
constexpr int roundsPerFolder = 6;

TEST_F(RecordKill, KilledAnywhereInARecordEveryFileHoldsWholeRecordsOnly) {
    int killsInACommit = 0;
    for (int round = 0; round < rounds; ++round) {
        const fs::path root = temp.path() / ("set" + std::to_string(round / roundsPerFolder));
        fs::create_directories(root);
        const Files files = filesUnder(root);
        const std::string number = std::to_string(round);
        const std::string when = std::string("round ") + number;
        const std::uintmax_t before = sizeOf(files.master);
        ChildProcess child(childArguments, childVariable, number + " " + root.string());
        ASSERT_TRUE(child.started());
        ASSERT_TRUE(waitForGrowth(child, files.master, before + 32 * 1024))
            << when << ": the child ended with status " << child.exitCode() << " before its first record";
        std::this_thread::sleep_for(killDelays[round * killDelays.size() / rounds]);
        child.kill();

        if (fs::exists(journalPathFor(files.master)))
            ++killsInACommit;
        else
            expectWholeRecords(files, "killed outside a commit, " + when);
        // Every other time the journal is left to the next child, whose start-up rolls it back; the
        // last one to the last record below.
        const bool lastInFolder = round % roundsPerFolder == roundsPerFolder - 1;
        if ((round % 2 == 1 || lastInFolder) && round != rounds - 1) {
            rollBackJournal(files);
            expectWholeRecords(files, "rolled back, " + when);
        }
    }
    EXPECT_GT(killsInACommit, 0) << "no kill came while a record was being committed";
    RecordProperty("kills_in_a_commit", killsInACommit);

    // The next record after the last kill, made by this process.
    const fs::path root = temp.path() / ("set" + std::to_string((rounds - 1) / roundsPerFolder));
    const Files files = filesUnder(root);
    FakePlatform platform(root);
    MainForm form(platform);
    platform.answers = {u"Ann Lee", u""};
    form.load();
    makeRecord(platform, form, "last", RecordKind::notes);
    EXPECT_TRUE(platform.messages.empty());
    expectWholeRecords(files, "after the next record");
    const std::vector<std::string> notes = readUnits(readBytes(files.notes), OutputFile::notes, shapes).units;
    EXPECT_EQ(notes.empty() ? "" : notes.back(), "Nlast");
}

TEST_F(RecordKill, TwoCopiesWritingTheSameFilesKeepEveryRecordWholeAndInTheSameOrder) {
    const Files files = filesUnder(temp.path());
    ChildProcess first(childArguments, childVariable, "a " + temp.path().string());
    ChildProcess second(childArguments, childVariable, "b " + temp.path().string());
    ASSERT_TRUE(first.started() && second.started());
    ASSERT_TRUE(waitForGrowth(first, files.master, 24 * 128 * 1024));
    // A busy machine may start the second copy late: both are killed only once both have written.
    const auto deadline = std::chrono::steady_clock::now() + 60s;
    while (std::chrono::steady_clock::now() < deadline && !second.ended()) {
        const std::string master = readBytes(files.master);
        if (master.find("[a.1]") != std::string::npos && master.find("[b.1]") != std::string::npos) break;
        std::this_thread::sleep_for(50ms);
    }
    first.kill();
    second.kill();
    rollBackJournal(files);
    expectWholeRecords(files, "after two copies");
    const std::string master = readBytes(files.master);
    EXPECT_NE(master.find("[a.1]"), std::string::npos);
    EXPECT_NE(master.find("[b.1]"), std::string::npos);
}

}  // namespace
}  // namespace stepwise::testing
