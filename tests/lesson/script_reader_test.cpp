#include <gtest/gtest.h>

#include "format/routine_line.h"
#include "lesson/text_transforms.h"
#include "support/lesson_fixture.h"

namespace stepwise::testing {
namespace {

class ScriptReader : public LessonTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(start());
        platform.boxes[ControlId::txt_answer] = u" ";
    }
    // Replaces the script after the header with the given lines (index 2 on); the rest is empty.
    void useScript(std::initializer_list<Text> lines) {
        for (int i = 2; i <= ScriptTable::lastIndex; ++i) state().scriptLines.at(i).clear();
        int i = 2;
        for (const Text& line : lines) state().scriptLines.at(i++) = line;
    }
    void next() { form.click(ControlId::cmdNextQuestion); }
    Text display() { return platform.boxes[ControlId::txt_question]; }
    Text response() { return platform.boxes[ControlId::txt_answer]; }
};

TEST_F(ScriptReader, StepsThroughTheBuiltInAssignmentToEndProgram) {
    next();
    EXPECT_EQ(display(), state().scriptLines.at(2));
    EXPECT_EQ(state().lineIndex, 2);
    EXPECT_EQ(state().blockKind, u"question");
    EXPECT_EQ(state().questionNumber, u"1");
    EXPECT_TRUE(state().responsePending);
    EXPECT_EQ(response(), u" ") << "nothing was pending before the first block";

    Text expectedDisplay = display();
    for (int click = 2; click <= 25; ++click) {
        next();
        const int index = 2 * click;
        ASSERT_EQ(state().lineIndex, index == 50 ? 49 : index) << click;
        const int shown = std::min(index, 49);
        expectedDisplay += state().scriptLines.at(shown);
        EXPECT_EQ(state().currentLine, state().scriptLines.at(shown));
        EXPECT_EQ(state().blockKind, u"question");
        const int question = shown < 6 ? 1 : (shown - 6) / 4 + 2;
        EXPECT_EQ(state().questionNumber, decimalText(question)) << click;
        EXPECT_TRUE(state().responsePending);
        EXPECT_EQ(response(), state().responsePrompt) << "an unanswered block puts the prompt back";
    }
    EXPECT_EQ(state().currentLine, u"end program");
    EXPECT_EQ(display(), expectedDisplay) << "blocks accumulate with nothing between them";
    EXPECT_EQ(state().questionNumber, u"12");
    EXPECT_FALSE(form.ended());
}

TEST_F(ScriptReader, AfterTheLastBlockFurtherClicksSaySoAndKeepRunning) {
    useScript({u"end program"});
    next();
    const Text shown = display();
    for (int click = 0; click < 3; ++click) {
        next();
        EXPECT_EQ(state().lineIndex, ScriptTable::lastIndex);
        EXPECT_EQ(display(), shown);
        EXPECT_FALSE(state().responsePending);
    }
    EXPECT_FALSE(form.ended());
    ASSERT_EQ(platform.messages.size(), 3u);
    EXPECT_NE(platform.messages[0].find(u"no further"), Text::npos);
    EXPECT_EQ(master().find("no further"), std::string::npos);
}

TEST_F(ScriptReader, AnswerMarkersAreRemovedAndALoneMarkerMarksTheNextBlock) {
    useScript({u"`q004.  Question", u"`aWorked answer", u"`a", u"", u"Plain after marker", u"`Q007 capital"});
    next();
    EXPECT_EQ(state().blockKind, u"question");
    EXPECT_EQ(state().questionNumber, u"4");
    next();
    EXPECT_EQ(state().currentLine, u"Worked answer");
    EXPECT_EQ(state().blockKind, u"answer");
    EXPECT_EQ(display(), u"`q004.  QuestionWorked answer");
    next();
    EXPECT_EQ(state().lineIndex, 6) << "the lone marker and the empty line are skipped in one click";
    EXPECT_EQ(state().currentLine, u"Plain after marker");
    EXPECT_EQ(state().blockKind, u"answer");
    next();
    EXPECT_EQ(state().blockKind, u"answer") << "a capital Q is no question marker";
    EXPECT_EQ(state().questionNumber, u"7") << "but the number is still taken";
}

TEST_F(ScriptReader, QuestionNumbersComeFromCharactersThreeToFive) {
    useScript({u"`q012.x", u"`qabc.", u"`q"});
    next();
    EXPECT_EQ(state().questionNumber, u"12");
    next();
    EXPECT_EQ(state().questionNumber, u"0");
    next();
    EXPECT_EQ(state().questionNumber, u"0");
}

TEST_F(ScriptReader, BreakPairsAreExpandedOnlyForDisplay) {
    useScript({u"one{}two{{}three{}}"});
    next();
    EXPECT_EQ(display(), u"one\r\ntwo{\r\nthree\r\n}");
    EXPECT_EQ(state().currentLine, u"one{}two{{}three{}}");
    EXPECT_EQ(expandBreaks(u""), u"");
    EXPECT_EQ(expandBreaks(u"x"), u"x");
    EXPECT_EQ(expandBreaks(u"a{}"), u"a\r\n");
    EXPECT_EQ(expandBreaks(u"{}{}"), u"\r\n\r\n");
    EXPECT_EQ(expandBreaks(u"ab{}c"), u"ab\r\nc");
}

TEST_F(ScriptReader, KeepsWhatTheStudentTypedIntoTheDisplayBox) {
    useScript({u"first", u"second"});
    next();
    platform.boxes[ControlId::txt_question] = u"first -- my note ";
    next();
    EXPECT_EQ(display(), u"first -- my note second");
}

TEST_F(ScriptReader, AnUnrecordedAnswerReplacedByNextCanBeUndone) {
    useScript({u"first", u"second", u"third"});
    next();
    EXPECT_TRUE(platform.undoTexts.empty()) << "nothing was pending: the box is left alone";
    platform.boxes[ControlId::txt_answer] = u"my unrecorded answer";
    next();
    EXPECT_EQ(response(), state().responsePrompt);
    EXPECT_EQ(platform.undoTexts[ControlId::txt_answer], u"my unrecorded answer");
}

TEST_F(ScriptReader, RunsOneRoutinePerClickAndShowsTheBlockAfterIt) {
    useScript({u"`routine graph1", u"Plain block", u"`ROUTINE Graph-2", u"`routine graph3"});
    next();
    EXPECT_FALSE(form.ended());
    EXPECT_EQ(display(), u"Plain block");
    EXPECT_TRUE(state().responsePending);
    next();
    EXPECT_FALSE(form.ended());
    EXPECT_EQ(display(), u"Plain block`routine graph3") << "the second routine line of a click is shown, not run";
    EXPECT_FALSE(state().responsePending) << "a routine line expects no response";
}

TEST_F(ScriptReader, AnEightCharacterRoutineLineIsShownAsText) {
    useScript({u"`routine"});
    next();
    EXPECT_FALSE(form.ended());
    EXPECT_EQ(display(), u"`routine");
}

TEST_F(ScriptReader, ExitAndUnknownRoutinesEndTheProgramBeforeAnythingIsShown) {
    for (const Text line : {u"`Routine Exit-Prog", u"`routine:", u"`routine graph4", u"`routine x graph 1"}) {
        TempDir dir;
        FakePlatform p(dir.path());
        MainForm f(p);
        p.answers = {u"Ann Lee", u""};
        f.load();
        f.state().scriptLines.at(2) = line;
        f.state().scriptLines.at(3) = u"never shown";
        p.boxes[ControlId::txt_question] = u"before";
        f.click(ControlId::cmdNextQuestion);
        EXPECT_TRUE(f.ended()) << toUtf8(line);
        EXPECT_EQ(p.exits, 1);
        EXPECT_EQ(p.boxes[ControlId::txt_question], u"before") << toUtf8(line);
        EXPECT_EQ(f.state().lineIndex, 2) << "the block after the routine line was not taken";
        f.click(ControlId::cmdNextQuestion);
        EXPECT_EQ(f.state().lineIndex, 2) << "events after the end are ignored";
    }
}

TEST_F(ScriptReader, TheNextAssignmentsHeaderEndsTheProgramWithoutBeingShown) {
    useScript({u"`q001. last", u"", u"002.  Next assignment"});
    next();
    const Text before = display();
    const std::string masterBefore = master();
    next();
    EXPECT_TRUE(form.ended());
    EXPECT_EQ(display(), before);
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(platform.exits, 1);
}

TEST(RoutineNames, LoseTheirSpacesAndHyphens) {
    EXPECT_EQ(remSpaces(u"exit-prog"), u"exitprog");
    EXPECT_EQ(remSpaces(u"graph 1"), u"graph1");
    EXPECT_EQ(remSpaces(u" - -"), u"");
}

class RoutineDispatcher : public LessonTest {};

TEST_F(RoutineDispatcher, KnowsThreeGraphsAndEndsForEverythingElse) {
    ASSERT_TRUE(start());
    for (const Text name : {u"graph1", u"graph2", u"GRAPH3"}) {
        form.dispatch([&] { form.runRoutine(name); });
        EXPECT_FALSE(form.ended()) << toUtf8(name);
    }
    for (const Text name : {u"EXITPROG", u"ExitProg", u"graph 1", u"graph4", u""}) {
        TempDir dir;
        FakePlatform p(dir.path());
        MainForm f(p);
        bool after = false;
        f.dispatch([&] {
            f.runRoutine(name);
            after = true;
        });
        EXPECT_TRUE(f.ended()) << toUtf8(name);
        EXPECT_FALSE(after) << "nothing after the end point runs";
    }
}

}  // namespace
}  // namespace stepwise::testing
