// Damaged and hand-edited hand-ins: every fault is reported with its line, and everything else in
// the file is still read.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <random>

#include "handin/handin_file.h"
#include "format/cp1252.h"
#include "support/temp_dir.h"

namespace stepwise::handin {
namespace {

const std::string separator = "......!!!!!!!!...................................";
const std::string closing = ".................................................";
const std::string indent(36, ' ');
const std::string question3 = "`q003.If you make $60,000 per year then how much do you make per month?";

std::string header(const std::string& date = "12-07-2026") {
    return "B\xE4zz\xF1\xAA\r\nassignment #001\r\n001.  Rates\r\novla set\r\n" + date + "\r\n";
}
// Eight lines with a rating, seven without.
std::string response(const std::string& text, const std::string& time = "14:05:09",
                     const std::string& block = question3, const char* rating = "2") {
    return separator + "\r\n" + indent + time + "\r\n" + block + "\r\n" + separator + "\r\nRESPONSE -->  \r\n" + text +
           "\r\n" + (rating ? "confidence assessment:  " + std::string(rating) + "\r\n" : "") + closing + "\r\n";
}
// Seven lines, the last one without its line end.
std::string notes(const std::string& text) {
    return separator + "\r\n" + indent + "14:05:09\r\n" + indent + "12-07-202614:05:09\r\n" + question3 + "\r\n" +
           separator + "\r\nNOTES -------> " + text + "\r\n" + closing;
}

Text toText(const std::string& bytes) { return decodeCp1252(bytes); }

struct Expected {
    int line;
    std::string saying;  // part of the message
};

struct DamageCase {
    std::string what;
    std::string bytes;
    std::vector<Expected> problems;
    std::vector<std::string> texts;  // of every record read, in order
    int sessions = -1;               // how many, when it matters
};

std::vector<DamageCase> damageCases() {
    const std::string good = header() + response("first");  // lines 1-13
    return {
        {"0-byte file", "", {{0, "empty"}}, {}},
        {"last record cut inside its text",
         good + separator + "\r\n" + indent + "14:06:00\r\n" + question3 + "\r\n" + separator + "\r\nRESPONSE -->  \r\npart",
         {{14, "ends before this record's closing line"}},
         {"first", "part"}},
        {"last record cut inside its closing line",
         good + response("second").substr(0, response("second").size() - 30),
         {{14, "ends before this record's closing line"}},
         {"first", "second"}},
        {"last record cut inside its block", good + separator + "\r\n" + indent + "14:06:00\r\n`q003.If you",
         {{14, "ends inside this record"}},
         {"first", ""}},
        {"last notes record cut after its label", good + notes("n").substr(0, notes("n").size() - 51),
         {{14, "ends before this record's closing line"}},
         {"first", "n"}},
        {"hand-edited time-stamp line", header() + response("lost", "9:5:1") + response("kept"),
         {{6, "lines 6-13 skipped"}},
         {"kept"}},
        {"time stamp that is no time of day", header() + response("a", "25:61:00"), {{7, "not a time of day"}}, {"a"}},
        {"labels that lost their trailing spaces",
         header() +
             [] {
                 std::string r = response("a", "14:05:09", question3, "");
                 r.replace(r.find("RESPONSE -->  "), 14, "RESPONSE -->");
                 r.replace(r.find("assessment:  "), 13, "assessment:");
                 return r;
             }(),
         {{10, "label line"}},
         {"a"}},
        {"control bytes in a student's text", good + response(std::string("a\0b\x01", 4) + "\r\n\x7F"),
         {{19, "3 bytes that are not text"}},
         {"first", std::string("a\0b\x01\r\n\x7F", 7)}},
        {"a run of zero bytes after the last record (a crash while writing)", good + std::string(300, '\0'),
         {{14, "line 14 skipped (they hold bytes that are not text)"}},
         {"first"}},
        {"random bytes", std::string("\x01\xFF\r\n\x80\x81\x9D", 7) + "\r\n\r\nzz", {{1, "lines 1-4 skipped"}}, {}},
        {"records before the first lesson header", response("early") + header() + response("later"),
         {{1, "before the first lesson header"}},
         {"early", "later"},
         2},
        {"a block that is not in the assignment", header() + response("a", "14:05:09", "`q003.If you make $70,000"),
         {{8, "not a block of the built-in assignment"}},
         {"a"}},
        {"a closing line deleted", header() + response("a").substr(0, response("a").size() - 51) + response("b"),
         {{13, "closing line may be missing"}},
         {"a\r\nconfidence assessment:  2\r\n" + response("b").substr(0, response("b").size() - 27 - 51 - 2)}},
        {"lines between two records", good + "\r\nsomething typed into the file\r\n" + response("second"),
         {{14, "lines 14-15 skipped"}},
         {"first", "second"}},
        {"line ends changed to LF", [] {
             std::string lf;
             for (char c : header() + response("a")) if (c != '\r') lf += c;
             return lf;
         }(),
         {{1, "LF alone"}},
         {"a"}},
        {"a lesson header that lost its last lines",
         "B\xE4zz\xF1\xAA\r\nassignment #001\r\n" + response("a"), {{1, "incomplete: 2 of its 5 lines"}}, {"a"}, 1},
        {"a master file handed in by mistake",
         header() + [] {
             std::string master = response("a");
             master.insert(master.find("`q003"), "\r\n\r\n`questionNumber 10003 \r\n");
             return master + master;
         }(),
         {{8, "master file's form"}},
         {"a", "a"},
         1},
        {"a lesson header edited", "B\xE4zz\xF1\xAA\r\nassignment #001\r\n002.  Speed\r\novla\r\n12/07/2026\r\n" + response("a"),
         // Another assignment's sessions are reported once for the class, by the review.
         {{5, "not a date"}},
         {"a"}},
        {"a lesson header whose code line is damaged, after a notes record",
         good + notes("n") + "\x01\x02\r\nassignment #001\r\n001.  Rates\r\novla set\r\n12-08-2026\r\n" + response("next day"),
         {{20, "line 20 skipped"}, {21, "code line) is missing or damaged"}},
         {"first", "n", "next day"},
         2},
        {"garbage after a notes record's closing line", good + notes("n") + "garbage\r\nmore",
         {{20, "lines 20-21 skipped"}},
         {"first", "n"}},
        {"a record with no label line after its block",
         good + separator + "\r\n" + indent + "14:06:00\r\n" + question3 + "\r\n" + response("third"),
         {{14, "breaks off after its block"}},
         {"first", "", "third"}},
    };
}

TEST(HandinDamage, EveryFaultIsReportedWithItsLineAndTheRestIsRead) {
    for (const DamageCase& c : damageCases()) {
        SCOPED_TRACE(c.what);
        const HandinFile file = parseHandin(c.bytes, "class/send_1207Ann_Lee.txt");
        std::vector<std::string> problems;
        for (const Problem& p : file.problems) {
            EXPECT_EQ(p.file, "class/send_1207Ann_Lee.txt");
            problems.push_back(std::to_string(p.line) + ": " + p.message);
        }
        ASSERT_EQ(file.problems.size(), c.problems.size()) << ::testing::PrintToString(problems);
        for (std::size_t i = 0; i < c.problems.size(); ++i) {
            EXPECT_EQ(file.problems[i].line, c.problems[i].line) << problems[i];
            EXPECT_NE(file.problems[i].message.find(c.problems[i].saying), std::string::npos) << problems[i];
        }
        std::vector<std::string> texts;
        for (const Session& session : file.sessions)
            for (const Record& record : session.records) texts.push_back(record.text);
        std::vector<std::string> expectedTexts;
        for (const std::string& bytes : c.texts) expectedTexts.push_back(toUtf8(decodeCp1252(bytes)));
        EXPECT_EQ(texts, expectedTexts);
        if (c.sessions >= 0) {
            EXPECT_EQ(file.sessions.size(), static_cast<std::size_t>(c.sessions));
        }
        for (const Session& session : file.sessions) {
            for (const Record& record : session.records) {
                if (record.block == toText(question3)) {
                    EXPECT_EQ(record.blockId.scriptIndex, 10);
                }
            }
        }
    }
}

// Hand edits at random: bytes changed, lines dropped or doubled. Reading never throws, and every
// problem names a line of the file.
TEST(HandinDamage, RandomEditsAreReadWithoutFail) {
    const std::string original = header() + response("one\r\ntwo") + notes("n") + response("three") + header() +
                                 notes("four") + response("", "14:05:09", "", nullptr);
    std::mt19937 random(20261207);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = original;
        for (int edit = 0; edit < 3; ++edit) {
            const std::size_t at = random() % bytes.size();
            switch (random() % 4) {
                case 0: bytes[at] = static_cast<char>(random() % 256); break;
                case 1: bytes.erase(at, random() % 60); break;
                case 2: bytes.insert(at, bytes.substr(at, random() % 120)); break;
                default: bytes.insert(at, "\r\n"); break;
            }
        }
        const std::size_t lines = std::count(bytes.begin(), bytes.end(), '\n') + 1;
        HandinFile file;
        ASSERT_NO_THROW(file = parseHandin(bytes, "send_1207Ann_Lee.txt")) << round;
        for (const Problem& problem : file.problems) {
            EXPECT_GE(problem.line, 1) << round;
            EXPECT_LE(static_cast<std::size_t>(problem.line), lines) << round;
        }
    }
}

TEST(HandinDamage, AFolderAnEmptyFileAndAFileThatCannotBeOpenedEachGiveOneProblem) {
    stepwise::testing::TempDir temp;
    const std::filesystem::path folder = temp.path() / "send_1207Folder.txt";
    std::filesystem::create_directory(folder);
    const std::filesystem::path empty = temp.path() / "send_1207Empty.txt";
    std::ofstream{empty};
    const std::filesystem::path gone = temp.path() / "send_1207Gone.txt";

    struct Case {
        std::filesystem::path path;
        std::string saying;
        Text student;
    };
    for (const Case& c : {Case{folder, "folder", u"Folder"}, Case{empty, "empty", u"Empty"},
                          Case{gone, "cannot be read", u"Gone"}}) {
        const HandinFile file = readHandinFile(c.path);
        SCOPED_TRACE(file.path);
        const std::u8string given = c.path.u8string();
        EXPECT_EQ(file.path, std::string(given.begin(), given.end()));
        EXPECT_EQ(file.name.student, c.student);
        ASSERT_EQ(file.problems.size(), 1u);
        EXPECT_EQ(file.problems[0].line, 0);
        EXPECT_EQ(file.problems[0].file, file.path);
        EXPECT_NE(file.problems[0].message.find(c.saying), std::string::npos) << file.problems[0].message;
        EXPECT_TRUE(file.sessions.empty());
    }
}

TEST(HandinDamage, AFileOnDiskIsReadWhole) {
    stepwise::testing::TempDir temp;
    const std::filesystem::path path = temp.path() / "send_1207Ann_Lee.txt";
    std::string bytes = header();
    while (bytes.size() < 300'000) bytes += response(std::string(1000, 'x'));  // several read buffers
    std::ofstream(path, std::ios::binary) << bytes;

    const HandinFile file = readHandinFile(path);
    EXPECT_TRUE(file.problems.empty());
    ASSERT_EQ(file.sessions.size(), 1u);
    EXPECT_EQ(file.sessions[0].records.size(), (bytes.size() - header().size()) / response(std::string(1000, 'x')).size());
    EXPECT_EQ(file.sizeRead, bytes.size());
}

}  // namespace
}  // namespace stepwise::handin
