// Hand-ins written by the student program's own record code, on the fake platform, read back from
// the SEND file it named: every record as it was written, whatever the student typed.
#include <gtest/gtest.h>

#include "format/cp1252.h"
#include "format/utf8.h"
#include "handin/handin_file.h"
#include "support/lesson_fixture.h"
#include "system/local_time.h"

namespace stepwise::testing {
namespace {

using handin::RecordKind;

// One thing the student does.
struct Step {
    enum class Do { next, respond, saveNotes, runAgain, setClock, takeBlockAsAnswer } what;
    Text text;                     // respond, saveNotes: what is typed
    Text rating;                   // respond: the answer to the rating prompt, if one is asked
    std::optional<Text> readBack;  // the text as it comes back, when not as typed
    LocalTime clock{};             // setClock
};

Step next() { return {Step::Do::next, {}, {}, {}, {}}; }
Step respond(Text text, Text rating = u"", std::optional<Text> readBack = {}) {
    return {Step::Do::respond, std::move(text), std::move(rating), std::move(readBack), {}};
}
Step saveNotes(Text text, std::optional<Text> readBack = {}) {
    return {Step::Do::saveNotes, std::move(text), {}, std::move(readBack), {}};
}
// A second run of the program on the same day: a new lesson header in the same SEND file.
Step runAgain() { return {Step::Do::runAgain, {}, {}, {}, {}}; }
Step at(int hour, int minute, int second) { return {Step::Do::setClock, {}, {}, {}, {2026, 12, 7, hour, minute, second}}; }
// As an answer marker in the script would make it: the next response is rated for its self-critique.
Step takeBlockAsAnswer() { return {Step::Do::takeBlockAsAnswer, {}, {}, {}, {}}; }

struct RoundTripCase {
    std::string what;
    Text student;
    std::vector<Step> steps;
};
void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.what; }

// One record as it was written.
struct Written {
    std::size_t session;
    RecordKind kind;
    Text time;
    Text date;
    Text block;
    int scriptIndex;  // -1: no block
    Text text;
    std::optional<Text> confidence;
    std::optional<Text> selfCritique;
};

class LessonSteps : public LessonTest {
protected:
    void run(const Text& student, const std::vector<Step>& steps) {
        ASSERT_TRUE(start(student));
        platform.boxes[ControlId::txt_answer] = u" ";
        for (const Step& step : steps) {
            switch (step.what) {
            case Step::Do::next: active->click(ControlId::cmdNextQuestion); break;
            case Step::Do::respond: record(step, ControlId::cmd_enter_response); break;
            case Step::Do::saveNotes: record(step, ControlId::cmd_save_as_notes); break;
            case Step::Do::setClock: platform.clock = step.clock; break;
            case Step::Do::takeBlockAsAnswer: active->state().blockKind = u"answer"; break;
            case Step::Do::runAgain:
                runs.push_back(std::make_unique<MainForm>(platform));
                platform.answers = {student, u""};
                runs.back()->load();
                ASSERT_FALSE(runs.back()->ended());
                active = runs.back().get();
                break;
            }
        }
    }

    void record(const Step& step, ControlId button) {
        const LessonState& state = active->state();
        const bool notes = button == ControlId::cmd_save_as_notes;
        Written w{runs.size(), notes ? RecordKind::notes : RecordKind::response, formatTime(platform.clock),
                  notes ? formatDate(platform.clock) : Text(), state.currentLine,
                  state.currentLine.empty() ? -1 : static_cast<int>(state.lineIndex), step.readBack.value_or(step.text),
                  std::nullopt, std::nullopt};
        if (!notes && state.blockKind == u"question") w.confidence = step.rating;
        if (!notes && state.blockKind == u"answer") w.selfCritique = step.rating;
        platform.boxes[ControlId::txt_answer] = step.text;
        platform.answers = {step.rating};
        active->click(button);
        platform.answers.clear();
        written.push_back(std::move(w));
    }

    MainForm* active = &form;
    std::vector<std::unique_ptr<MainForm>> runs;
    std::vector<Written> written;
};

class HandinRoundTrip : public LessonSteps, public ::testing::WithParamInterface<RoundTripCase> {};

const Text closingLookalike = u".................................................";
const Text separatorLookalike = u"......!!!!!!!!...................................";
const Text timeStampLookalike = u"                                    12:00:00";

const RoundTripCase roundTripCases[] = {
    {"every kind of record, notes running on into the next record",
     u"Ann Lee",
     {at(9, 0, 1), respond(u"hello before any block"), next(),
      at(9, 1, 2), respond(u"I read them.\r\nSecond line\r\n\r\nafter an empty line", u"2"), next(),
      at(9, 2, 3), respond(u"ok", u""), next(),  // a cancelled rating prompt
      at(9, 3, 4), saveNotes(u"a note\r\non two lines"),
      at(9, 4, 5), respond(u"10 dollars per hour", u"three"), next(),  // on the notes' closing line
      at(9, 5, 6), saveNotes(u"first of two notes"),
      at(9, 5, 7), saveNotes(u""),  // continues the first one's closing line
      at(9, 6, 8), respond(u"", u"1"), next(), next(),
      at(23, 59, 59), saveNotes(u"the last record of the file ends without a line end")}},
    {"texts that look like the records' own lines",
     u"Ann Lee",
     {respond(u"no block, so no rating:\r\nconfidence assessment:  3"), next(),
      respond(u"RESPONSE -->  \r\nconfidence assessment:  3\r\n" + closingLookalike + u"\r\n" + separatorLookalike +
                  u"\r\nNOTES -------> \r\n" + closingLookalike + separatorLookalike + u"\r\nconfidence assessment:  0",
              u"1"),
      saveNotes(u"x\r\n" + closingLookalike + u"\r\n" + timeStampLookalike + u"\r\n" + closingLookalike),
      respond(closingLookalike, u"2"), saveNotes(closingLookalike),
      saveNotes(separatorLookalike + u"\r\n" + u"NOTES -------> "),
      respond(u"self critique assessment: 3\r\nassignment #001\r\n001.  Rates", u"3")}},
    {"characters outside Windows-1252, written as references, and references typed as they stand",
     u"Zo\u00EB Stra\u00DFe \u0394",
     {next(), respond(u"\u0394v / \u0394t \u2248 3 m/s\u00B2, \u20AC5, \U0001F600 and \u221A2", u"\u2713"),
      saveNotes(u"typed as it stands: &#65; &#0916; &#; &#12345678; &x &#916"),
      respond(u"half a pair: " + Text(1, char16_t(0xD800)) + u" alone", u"&#65;")}},
    {"line breaks in every form, written as CR LF",
     u"Ann Lee",
     {next(), respond(u"CR LF\r\ninside", u"1"), respond(u"lone LF\nand lone CR\rhere", u"2", u"lone LF\r\nand lone CR\r\nhere"),
      respond(u"ends in a break\r\n", u"3"), saveNotes(u"\r\n\r\nempty lines first\n", u"\r\n\r\nempty lines first\r\n"),
      respond(u"\r", u"0", u"\r\n")}},
    {"runs of the program, one right after notes, and a name with spaces around it",
     u" Ann ",
     {next(), at(10, 0, 0), respond(u"first run", u"1"), saveNotes(u"notes just before the program is closed"),
      runAgain(), next(), next(), at(11, 0, 0), respond(u"second run", u"2"),
      runAgain(), at(12, 0, 0), respond(u"third run, before any block")}},
    {"a block taken as a worked answer gets the self-critique rating",
     u"Ann Lee",
     {next(), next(), next(), next(), takeBlockAsAnswer(), respond(u"I forgot the units.\r\nself critique assessment: 0", u"2")}},
};

TEST_P(HandinRoundTrip, EveryRecordReadsBackAsWritten) {
    const RoundTripCase& c = GetParam();
    run(c.student, c.steps);

    // The SEND file the program named, read from disk with its name.
    std::vector<std::filesystem::path> sendFiles;
    for (const auto& entry : std::filesystem::directory_iterator(outputFolder()))
        if (entry.path().filename().u8string().starts_with(u8"send_")) sendFiles.push_back(entry.path());
    ASSERT_EQ(sendFiles.size(), 1u);
    const handin::HandinFile file = handin::readHandinFile(sendFiles[0]);
    for (const handin::Problem& problem : file.problems) ADD_FAILURE() << "line " << problem.line << ": " << problem.message;
    EXPECT_EQ(file.name.student, c.student);
    EXPECT_EQ(file.name.month, 12);
    EXPECT_EQ(file.name.day, 7);

    ASSERT_EQ(file.sessions.size(), runs.size() + 1);
    std::vector<std::pair<std::size_t, const handin::Record*>> read;
    for (std::size_t s = 0; s < file.sessions.size(); ++s) {
        SCOPED_TRACE("session " + std::to_string(s + 1));
        const handin::Session& session = file.sessions[s];
        EXPECT_TRUE(session.hasHeader);
        EXPECT_EQ(session.assignment, u"assignment #001");
        EXPECT_EQ(session.lessonDate, u"12-07-2026");
        for (const handin::Record& record : session.records) read.emplace_back(s, &record);
    }
    ASSERT_EQ(read.size(), written.size());
    for (std::size_t i = 0; i < written.size(); ++i) {
        SCOPED_TRACE("record " + std::to_string(i + 1));
        const Written& w = written[i];
        const handin::Record& r = *read[i].second;
        EXPECT_EQ(read[i].first, w.session);
        EXPECT_EQ(r.kind, w.kind);
        EXPECT_EQ(r.time, w.time);
        EXPECT_EQ(r.date, w.date);
        EXPECT_EQ(r.block, w.block);
        EXPECT_EQ(r.blockId.scriptIndex, w.scriptIndex);
        EXPECT_EQ(r.text, encodeUtf8(w.text));  // in UTF-8, a lone surrogate as U+FFFD
        EXPECT_EQ(r.confidence, w.confidence);
        EXPECT_EQ(r.selfCritique, w.selfCritique);
    }
}

INSTANTIATE_TEST_SUITE_P(Lessons, HandinRoundTrip, ::testing::ValuesIn(roundTripCases),
                         [](const ::testing::TestParamInfo<RoundTripCase>& info) {
                             return "case" + std::to_string(info.index + 1);
                         });

// A file cut anywhere (a copy that stopped, a disk that filled up) still gives every record
// before the cut as it was written, and the cut record as far as it goes.
using HandinCut = LessonSteps;

TEST_F(HandinCut, AFileCutAtAnyByteKeepsEveryRecordBeforeTheCut) {
    run(u"Ann Lee", {respond(u"first"), next(), respond(u"two\r\nlines", u"1"), saveNotes(u"\u0394 note"),
                     respond(u"after the note", u"2"), saveNotes(u"last")});
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
            const std::string cutText = encodeCp1252(fromUtf8(partRecords.back()->text));
            EXPECT_EQ(cutText, encodeCp1252(fromUtf8(fullRecords[partRecords.size() - 1]->text)).substr(0, cutText.size()))
                << cut;
        }
        for (const handin::Problem& problem : part.problems) EXPECT_LE(problem.line, 1 + std::count(whole.begin(), whole.end(), '\n'));
    }
}

}  // namespace
}  // namespace stepwise::testing
