// Hand-ins written by the student program's own record code read back record for record.
#include <gtest/gtest.h>

#include "handin/handin_file.h"
#include "format/builtin_assignment.h"
#include "format/cp1252.h"
#include "system/local_time.h"
#include "support/lesson_fixture.h"

namespace stepwise::testing {
namespace {

using handin::BlockKind;
using handin::RecordKind;

// One record as the test wrote it.
struct Written {
    RecordKind kind;
    Text time;
    int scriptIndex;  // -1: before any block
    Text text;
    std::optional<Text> confidence;
    std::optional<Text> selfCritique;
};

class HandinRoundTrip : public LessonTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(start());
        platform.boxes[ControlId::txt_answer] = u" ";
    }
    void next() { active->click(ControlId::cmdNextQuestion); }
    void at(int hour, int minute, int second) {
        platform.clock.hour = hour;
        platform.clock.minute = minute;
        platform.clock.second = second;
    }
    void respond(const Text& text, const Text& rating) {
        platform.boxes[ControlId::txt_answer] = text;
        platform.answers.push_back(rating);
        active->click(ControlId::cmd_enter_response);
        if (active->state().blockKind == u"answer")
            written.push_back({RecordKind::response, time(), block(), text, std::nullopt, rating});
        else
            written.push_back({RecordKind::response, time(), block(), text, rating, std::nullopt});
    }
    void respondBeforeAnyBlock(const Text& text) {
        platform.boxes[ControlId::txt_answer] = text;
        active->click(ControlId::cmd_enter_response);
        written.push_back({RecordKind::response, time(), -1, text, std::nullopt, std::nullopt});
    }
    void saveNotes(const Text& text) {
        platform.boxes[ControlId::txt_answer] = text;
        active->click(ControlId::cmd_save_as_notes);
        written.push_back({RecordKind::notes, time(), block(), text, std::nullopt, std::nullopt});
    }
    // A second run of the program on the same day: a new lesson header in the same SEND file.
    void runAgain() {
        rerun = std::make_unique<MainForm>(platform);
        platform.answers = {u"Ann Lee", u""};
        rerun->load();
        ASSERT_FALSE(rerun->ended());
        active = rerun.get();
    }
    Text time() const { return formatTime(platform.clock); }
    int block() const { return active->state().lineIndex; }

    handin::HandinFile readBack() { return handin::parseHandin(send(), "send_1207Ann_Lee.txt"); }

    // Every record read back against what was written, in order, across the sessions.
    void expectWrittenRecords(const handin::HandinFile& file) {
        std::vector<const handin::Record*> read;
        for (const handin::Session& session : file.sessions)
            for (const handin::Record& record : session.records) read.push_back(&record);
        ASSERT_EQ(read.size(), written.size());
        const auto& script = builtinAssignment();
        for (std::size_t i = 0; i < written.size(); ++i) {
            SCOPED_TRACE("record " + std::to_string(i + 1));
            const Written& w = written[i];
            const handin::Record& r = *read[i];
            EXPECT_EQ(r.kind, w.kind);
            EXPECT_EQ(r.time, w.time);
            EXPECT_EQ(r.block, w.scriptIndex < 0 ? Text() : script.at(w.scriptIndex - 1));
            EXPECT_EQ(r.blockId.scriptIndex, w.scriptIndex);
            EXPECT_EQ(r.text, w.text);
            EXPECT_EQ(r.confidence, w.confidence);
            EXPECT_EQ(r.selfCritique, w.selfCritique);
            EXPECT_EQ(r.date, w.kind == RecordKind::notes ? u"12-07-2026" : u"");
        }
    }

    MainForm* active = &form;
    std::unique_ptr<MainForm> rerun;
    std::vector<Written> written;
};

const Text closingLookalike = u".................................................";
const Text separatorLookalike = u"......!!!!!!!!...................................";

TEST_F(HandinRoundTrip, EveryRecordKindReadsBackWithBlockTextRatingAndTime) {
    at(9, 0, 1);
    respondBeforeAnyBlock(u"hello before any block");
    next();
    at(9, 1, 2);
    respond(u"I read them.\r\nSecond line\r\n\r\nafter an empty line", u"2");
    next();
    at(9, 2, 3);
    respond(u"ok", u"");  // a cancelled rating prompt
    next();
    at(9, 3, 4);
    saveNotes(u"a note\r\non two lines");
    at(9, 4, 5);
    respond(u"10 dollars per hour", u"three");  // runs on from the notes' closing line
    next();
    at(9, 5, 6);
    saveNotes(u"first of two notes");
    at(9, 5, 7);
    saveNotes(u"");  // the second continues the first one's closing line
    at(9, 6, 8);
    respond(u"", u"1");
    next();
    next();
    at(23, 59, 59);
    saveNotes(u"the last record of the file ends without a line end");

    const handin::HandinFile file = readBack();
    EXPECT_TRUE(file.problems.empty()) << file.problems.front().line << ": " << file.problems.front().message;
    ASSERT_EQ(file.sessions.size(), 1u);
    EXPECT_EQ(file.sessions[0].line, 1);
    EXPECT_TRUE(file.sessions[0].hasHeader);
    EXPECT_EQ(file.sessions[0].assignment, u"assignment #001");
    EXPECT_EQ(file.sessions[0].lessonDate, u"12-07-2026");
    expectWrittenRecords(file);
    EXPECT_EQ(file.name.student, u"Ann Lee");
    EXPECT_EQ(file.name.month, 12);
    EXPECT_EQ(file.name.day, 7);
}

TEST_F(HandinRoundTrip, ABlockTheReaderCallsAnAnswerGetsTheSelfCritiqueRating) {
    next();
    next();
    next();
    next();
    active->state().blockKind = u"answer";  // as an answer marker in the script would set it
    respond(u"I forgot the units.\r\nself critique assessment: 0", u"2");
    EXPECT_EQ(written.back().selfCritique, u"2");

    const handin::HandinFile file = readBack();
    EXPECT_TRUE(file.problems.empty());
    expectWrittenRecords(file);
    EXPECT_EQ(file.sessions[0].records[0].blockId.kind, BlockKind::workedAnswer);
}

TEST_F(HandinRoundTrip, TextsThatImitateTheRecordsPiecesStayText) {
    respondBeforeAnyBlock(u"no block, so no rating:\r\nconfidence assessment:  3");
    next();
    respond(u"RESPONSE -->  \r\nconfidence assessment:  3\r\n" + closingLookalike + u"\r\n" + separatorLookalike +
                u"\r\nNOTES -------> \r\n" + closingLookalike + separatorLookalike + u"\r\nconfidence assessment:  0",
            u"1");
    saveNotes(u"x\r\n" + closingLookalike + u"\r\n" + u"                                    12:00:00\r\n" + closingLookalike);
    respond(closingLookalike, u"2");
    saveNotes(closingLookalike);
    respond(u"self critique assessment: 3\r\nassignment #001\r\n001.  Rates", u"3");

    const handin::HandinFile file = readBack();
    EXPECT_TRUE(file.problems.empty()) << file.problems.front().line << ": " << file.problems.front().message;
    expectWrittenRecords(file);
}

TEST_F(HandinRoundTrip, CharactersOutsideWindows1252ComeBackFromTheirReferences) {
    next();
    respond(u"\u0394v / \u0394t \u2248 3 m/s\u00B2, \u20AC5, \U0001F600 and \u221A2", u"\u2713");
    saveNotes(u"typed as it stands: &#65; &#0916; &#; &#12345678; &x");

    const handin::HandinFile file = readBack();
    EXPECT_TRUE(file.problems.empty());
    expectWrittenRecords(file);
}

TEST_F(HandinRoundTrip, EachRunOfTheProgramStartsASessionEvenRightAfterNotes) {
    next();
    at(10, 0, 0);
    respond(u"first run", u"1");
    saveNotes(u"notes just before the program is closed");
    runAgain();
    next();
    next();
    at(11, 0, 0);
    respond(u"second run", u"2");
    runAgain();
    at(12, 0, 0);
    respondBeforeAnyBlock(u"third run, before any block");

    const handin::HandinFile file = readBack();
    EXPECT_TRUE(file.problems.empty()) << file.problems.front().line << ": " << file.problems.front().message;
    ASSERT_EQ(file.sessions.size(), 3u);
    EXPECT_EQ(file.sessions[0].records.size(), 2u);
    EXPECT_EQ(file.sessions[1].records.size(), 1u);
    EXPECT_EQ(file.sessions[2].records.size(), 1u);
    EXPECT_GT(file.sessions[1].line, file.sessions[0].records.back().line);
    EXPECT_EQ(file.sessions[2].lessonDate, u"12-07-2026");
    expectWrittenRecords(file);
}

// A file cut anywhere (a copy that stopped, a disk that filled up) still gives every record
// before the cut as it was written, and the cut record as far as it goes.
TEST_F(HandinRoundTrip, AFileCutAtAnyByteKeepsEveryRecordBeforeTheCut) {
    respondBeforeAnyBlock(u"first");
    next();
    respond(u"two\r\nlines", u"1");
    saveNotes(u"\u0394 note");
    respond(u"after the note", u"2");
    saveNotes(u"last");
    const std::string whole = send();
    const handin::HandinFile full = handin::parseHandin(whole, "send_1207Ann_Lee.txt");
    auto records = [](const handin::HandinFile& file) {
        std::vector<const handin::Record*> all;
        for (const handin::Session& session : file.sessions)
            for (const handin::Record& record : session.records) all.push_back(&record);
        return all;
    };
    const auto fullRecords = records(full);
    ASSERT_EQ(fullRecords.size(), 5u);

    for (std::size_t cut = 0; cut < whole.size(); ++cut) {
        const handin::HandinFile part = handin::parseHandin(whole.substr(0, cut), "send_1207Ann_Lee.txt");
        const auto partRecords = records(part);
        ASSERT_LE(partRecords.size(), fullRecords.size()) << cut;
        for (std::size_t i = 0; i + 1 < partRecords.size(); ++i) {
            EXPECT_EQ(partRecords[i]->text, fullRecords[i]->text) << cut;
            EXPECT_EQ(partRecords[i]->block, fullRecords[i]->block) << cut;
            EXPECT_EQ(partRecords[i]->confidence, fullRecords[i]->confidence) << cut;
        }
        if (!partRecords.empty()) {  // as far as it goes: a character reference cut short stays as it stands
            const std::string cutText = encodeCp1252(partRecords.back()->text);
            EXPECT_EQ(cutText, encodeCp1252(fullRecords[partRecords.size() - 1]->text).substr(0, cutText.size())) << cut;
        }
        for (const handin::Problem& problem : part.problems) EXPECT_LE(problem.line, 1 + std::count(whole.begin(), whole.end(), '\n'));
    }
}

}  // namespace
}  // namespace stepwise::testing
