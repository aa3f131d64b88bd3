// Text between the core and the edit controls, and Windows paths with and without a test root.
#include <gtest/gtest.h>

#include "system/path_mapping.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

TEST(WideText, CodeUnitsPassUnchanged) {
    EXPECT_EQ(win32::fromWide(win32::toWide(u"Zo\u00EB \U0001F600")), u"Zo\u00EB \U0001F600");
}

TEST_F(Win32LessonTest, TextBoxesHoldTheWholeTextWithItsLineBreaks) {
    const Text text = u"first\r\n\r\nthird \u20AC\r\n";
    platform.setText(txt_question, text);
    EXPECT_EQ(platform.text(txt_question), text);
    platform.setText(txt_answer, u"one\ntwo");
    EXPECT_EQ(platform.text(txt_answer), u"one\r\ntwo");
    platform.setText(txt_parameter_1, u"7");
    EXPECT_EQ(platform.text(txt_parameter_1), u"7");
    // Beyond the 30,000 characters an edit control takes by default, in lines as a SEND file has them.
    Text longText;
    while (longText.size() < 40000) longText += Text(78, u'x') + CRLF;
    platform.setText(txt_question, longText);
    EXPECT_EQ(platform.text(txt_question).size(), longText.size());
    EXPECT_EQ(platform.text(cmdNextQuestion), u"");  // no text box: nothing to read
}

TEST_F(Win32LessonTest, TypingEnterInTheResponseBoxBreaksTheLine) {
    ASSERT_TRUE(start());
    SetFocus(control(txt_answer));
    SendMessageW(control(txt_answer), EM_SETSEL, 1, 1);
    PostMessageW(control(txt_answer), WM_KEYDOWN, VK_RETURN, 0x001C0001);  // the loop makes its WM_CHAR
    pumpUntil(&window(), [&] { return platform.text(txt_answer).size() > 1; }, 1000);
    EXPECT_EQ(platform.text(txt_answer), u" \r\n");
    EXPECT_TRUE(window().isVisible());
}

TEST(WindowsPaths, StandAsTheyAreWithoutARoot) {
    EXPECT_EQ(mapPath(u"c:\\qwelrand\\masterFile_Ann_Lee.txt", {}).wstring(), L"c:\\qwelrand\\masterFile_Ann_Lee.txt");
    EXPECT_EQ(mapPath(u"\\\\server\\share\\x.txt", {}).wstring(), L"\\\\server\\share\\x.txt");
    EXPECT_TRUE(homeDirectory().empty());
}

TEST(WindowsPaths, ADriveLetterStandsForATestRoot) {
    const std::filesystem::path root = L"C:\\temp\\root";
    EXPECT_EQ(mapPath(u"c:\\qwelrand\\m.txt", root), root / L"qwelrand\\m.txt");
    EXPECT_EQ(mapPath(u"D:\\x", root), root / L"x");
    EXPECT_EQ(mapPath(u"c:", root), root);
    EXPECT_EQ(mapPath(u"relative\\y.txt", root).wstring(), L"relative\\y.txt");
}

}  // namespace
}  // namespace stepwise::testing
