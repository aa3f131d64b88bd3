// Where the focus goes after each command: to what a command showed or to the emptied response box
// when a screen reader runs, and nowhere without one.
#include <gtest/gtest.h>

#include <fstream>

#include "app/accessible_texts.h"
#include "app/keyboard_shortcuts.h"
#include "app/lesson_focus.h"
#include "support/lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;
using Moves = std::vector<std::pair<ControlId, std::size_t>>;

struct FocusCase {
    const char* what;
    Text displayBefore;   // the display box before the click
    Text responseBefore;  // the response box before the click ("" keeps the default after a Next)
    ControlId button;
    std::vector<Text> answers;  // rating prompts
    Moves withScreenReader;     // the focus moves expected; none without a screen reader
};

class LessonFocus : public LessonTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(start());
        std::ofstream(outputFolder() / "notes_Ann_Lee.txt", std::ios::binary) << "note one\r\nnote two";
    }
};

TEST_F(LessonFocus, FollowsTheLessonOnlyWithAScreenReader) {
    const Text block2 = state().scriptLines.at(2);
    const Text prompt = state().responsePrompt;
    const FocusCase cases[] = {
        {"Next into an empty box", u"", u" ", cmdNextQuestion, {}, {{txt_question, 0}}},
        {"Next after earlier text", u"earlier\r\nblock", u" ", cmdNextQuestion, {}, {{txt_question, 14}}},
        {"display notes after text", u"abc", u" ", cmd_display_note_file, {}, {{txt_question, 3}}},
        {"display SEND file: past the line break it opens with", u"abc", u" ", cmd_displayCumulativeText, {},
         {{txt_question, 5}}},
        {"Enter Response writes a record", u"", u"my answer", cmd_enter_response, {u"2"}, {{txt_answer, 0}}},
        {"Save as Notes writes a record", u"", u"a note", cmd_save_as_notes, {}, {{txt_answer, 0}}},
        {"the default text is not recorded", u"", prompt, cmd_enter_response, {}, {}},
        {"clear box shows nothing", u"abc", u"text", cmd_clear_answer_box, {}, {}},
        {"next picture shows nothing", u"abc", u"text", cmd_next_picture, {}, {}},
    };
    for (const bool screenReader : {true, false}) {
        for (const FocusCase& c : cases) {
            SCOPED_TRACE(std::string(c.what) + (screenReader ? ", screen reader" : ", no screen reader"));
            platform.screenReader = screenReader;
            platform.focusMoves.clear();
            platform.boxes[txt_question] = c.displayBefore;
            platform.boxes[txt_answer] = c.responseBefore;
            platform.answers.assign(c.answers.begin(), c.answers.end());
            state().lineIndex = 1;  // every Next shows block 2
            state().responsePending = false;
            form.click(c.button);
            ASSERT_FALSE(form.ended());
            EXPECT_EQ(platform.focusMoves, screenReader ? c.withScreenReader : Moves{});
        }
    }
    // The Next cases showed block 2 where the caret was put.
    platform.boxes[txt_question] = u"x";
    platform.screenReader = true;
    platform.focusMoves.clear();
    state().lineIndex = 1;
    form.click(cmdNextQuestion);
    EXPECT_EQ(platform.boxes[txt_question].substr(platform.focusMoves.at(0).second), block2);
}

TEST(AddedText, StartsPastTheLineBreaksItOpensWith) {
    struct Case {
        Text text;
        std::size_t from, start;
    };
    const Case cases[] = {
        {u"abc", 0, 0},        {u"abc", 1, 1},          {u"ab\r\ncd", 2, 4},  {u"ab\r\n\r\ncd", 2, 6},
        {u"ab\ncd", 2, 3},     {u"ab\r\n", 2, 2},       {u"ab", 5, 2},        {u"", 0, 0},
        {u"a\r\nb", 3, 3},
    };
    for (const Case& c : cases)
        EXPECT_EQ(startOfAddedText(c.text, c.from), c.start) << toUtf8(c.text) << " from " << c.from;
}

TEST(AccessibleTexts, NameTheShortcutsAndWhatAPictureHolds) {
    for (const Shortcut& shortcut : keyboardShortcuts) {
        const Text description = accessibleDescription(shortcut.button);
        EXPECT_NE(description.find(Text(u"Shortcut: ") + Text(shortcut.name) + u"."), Text::npos) << toUtf8(description);
    }
    const Text response = accessibleDescription(txt_answer);
    for (const char16_t* needed : {u"Ctrl+Return records", u"Ctrl+Shift+Return saves", u"Ctrl+Z undoes"})
        EXPECT_NE(response.find(needed), Text::npos) << toUtf8(needed);
    EXPECT_NE(accessibleDescription(txt_question).find(u"Ctrl+N"), Text::npos);
    EXPECT_EQ(accessibleDescription(cmd_quit), u"");

    const std::tuple<int, bool, const char16_t*> pictures[] = {
        {0, false, u"empty"},
        {0, true, u"a picture from the clipboard"},
        {1, false, u"1 circle drawn by pend exp"},
        {12, true, u"12 circles drawn by pend exp"},
    };
    for (const auto& [circles, hasPicture, description] : pictures)
        EXPECT_EQ(pictureDescription(circles, hasPicture), description);
}

}  // namespace
}  // namespace stepwise::testing
