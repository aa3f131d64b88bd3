// "next picture": routine lines among the two lines after the cursor are run and taken as read.
#include <gtest/gtest.h>

#include "support/lesson_fixture.h"

namespace stepwise::testing {
namespace {

class NextPicture : public LessonTest {
protected:
    void SetUp() override { ASSERT_TRUE(start()); }
    // The cursor on `cursor` and the given lines after it.
    void placeLinesAfter(int cursor, std::initializer_list<Text> lines) {
        int index = cursor;
        for (const Text& line : lines) state().scriptLines.at(++index) = line;
        state().lineIndex = cursor;
    }
    void clickNextPicture() { form.click(ControlId::cmd_next_picture); }
    int cursor() const { return form.state().lineIndex; }
    bool stillRunning() const { return !form.ended() && platform.exits == 0; }
};

constexpr int L = 100;

TEST_F(NextPicture, RoutineLinesAtBothNextLinesRunTheFirstThenProbeTheLineAfterTheSecond) {
    placeLinesAfter(L, {u"`routine graph1", u"`routine graph1", u"plain block"});
    clickNextPicture();
    EXPECT_TRUE(stillRunning());
    EXPECT_EQ(cursor(), L + 1) << "the line at L+2 is left for the reader";

    // L+3 holding a routine line is run by the second probe and taken.
    placeLinesAfter(L, {u"`routine graph1", u"`routine graph2", u"`routine graph3"});
    clickNextPicture();
    EXPECT_TRUE(stillRunning());
    EXPECT_EQ(cursor(), L + 3);
}

TEST_F(NextPicture, ARoutineLineOnlyAtTheSecondLineIsRunAndTaken) {
    placeLinesAfter(L, {u"`q001 a question", u"`routine graph2"});
    clickNextPicture();
    EXPECT_TRUE(stillRunning());
    EXPECT_EQ(cursor(), L + 2);
}

TEST_F(NextPicture, WithoutRoutineLinesNothingIsTaken) {
    placeLinesAfter(L, {u"`routin graph1", u"routine graph1", u"`routine graph1"});
    clickNextPicture();
    EXPECT_TRUE(stillRunning());
    EXPECT_EQ(cursor(), L);
}

TEST_F(NextPicture, TheBuiltInAssignmentHoldsNoRoutineLine) {
    for (int cursorAt : {1, 2, 10, 47, 49}) {
        state().lineIndex = cursorAt;
        clickNextPicture();
        EXPECT_EQ(cursor(), cursorAt);
    }
    EXPECT_TRUE(stillRunning());
}

TEST_F(NextPicture, KeywordAndNameAreMatchedWithoutCaseSpacesOrHyphens) {
    placeLinesAfter(L, {u"`ROUTINE G-R-A P H 1", u"plain", u"`RoUtInE-Graph - 3"});
    clickNextPicture();
    EXPECT_TRUE(stillRunning()) << "both names reach the dispatcher as known routines";
    EXPECT_EQ(cursor(), L + 3);
}

TEST_F(NextPicture, ExitprogWrittenWithCapitalsSpacesAndHyphensEndsTheProgram) {
    placeLinesAfter(L, {u"plain", u"`Routine E-X-I-T P r o G", u"`routine graph1"});
    clickNextPicture();
    EXPECT_TRUE(form.ended());
    EXPECT_EQ(platform.exits, 1);
    EXPECT_EQ(cursor(), L) << "nothing after the ending routine takes place";
    clickNextPicture();
    EXPECT_EQ(platform.exits, 1) << "no further event is handled";
}

TEST_F(NextPicture, TheNameStartsAtTheTenthCharacterWhateverTheNinthIs) {
    placeLinesAfter(L, {u"`routine#graph1"});
    clickNextPicture();
    EXPECT_TRUE(stillRunning());
    EXPECT_EQ(cursor(), L + 1);

    placeLinesAfter(L, {u"`routinegraph1"});  // "raph1" is no known routine
    clickNextPicture();
    EXPECT_TRUE(form.ended());
}

TEST_F(NextPicture, ARoutineLineOfNineCharactersOrFewerNamesTheEmptyRoutineAndEnds) {
    for (const Text line : {u"`routine ", u"`routine"}) {
        MainForm fresh(platform);
        fresh.state().scriptLines.at(L + 2) = line;
        fresh.state().lineIndex = L;
        fresh.click(ControlId::cmd_next_picture);
        EXPECT_TRUE(fresh.ended()) << toUtf8(line);
    }
    EXPECT_EQ(platform.exits, 2);
}

TEST_F(NextPicture, ProbingStopsAtTheEndOfTheScriptTable) {
    state().scriptLines.at(4999) = u"`routine graph1";
    state().scriptLines.at(5000) = u"`routine graph1";

    state().lineIndex = 4998;  // L+1 = 4999 runs; the second probe, 5001, lies outside
    EXPECT_NO_THROW(clickNextPicture());
    EXPECT_EQ(cursor(), 4999);

    EXPECT_NO_THROW(clickNextPicture());  // 5000 runs, then 5002 is not probed
    EXPECT_EQ(cursor(), 5000);

    EXPECT_NO_THROW(clickNextPicture());  // nothing is left after the last line
    EXPECT_EQ(cursor(), 5000);
    EXPECT_TRUE(stillRunning());
}

TEST_F(NextPicture, TheLastLineIsReachedByTheSecondProbe) {
    placeLinesAfter(4998, {u"plain", u"`routine graph2"});
    EXPECT_NO_THROW(clickNextPicture());
    EXPECT_EQ(cursor(), 5000);
    EXPECT_TRUE(stillRunning());
}

TEST_F(NextPicture, ACursorBelowTheTableProbesNothing) {
    state().scriptLines.at(0) = u"`routine exitprog";
    state().lineIndex = -2;
    EXPECT_NO_THROW(clickNextPicture());
    EXPECT_EQ(cursor(), -2);
    EXPECT_TRUE(stillRunning());
}

}  // namespace
}  // namespace stepwise::testing
