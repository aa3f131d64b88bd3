// Events of the window: clicks, the lesson's steps, closing, the program's own exit and the timer.
#include <gtest/gtest.h>

#include "app/control_table.h"
#include "frontends/win32/picture_box.h"
#include "frontends/win32/win32_lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

// The window alone, connected to no form, so that clicks run no handler.
TEST(WindowClickTest, EveryButtonReportsItsOwnClickAndNothingElseDoes) {
    win32::MainWindow window;
    std::vector<ControlId> clicks;
    window.onClick = [&](ControlId id) { clicks.push_back(id); };
    window.show();
    for (const ControlSpec& row : controlTable()) {
        if (row.kind != ControlKind::Button) continue;
        SCOPED_TRACE(std::string(row.name));
        clicks.clear();
        SendMessageW(window.control(row.id), BM_CLICK, 0, 0);
        EXPECT_EQ(clicks, std::vector<ControlId>{row.id});
    }
    clicks.clear();
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(win32::windowIdOf(List1), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(window.control(List1)));
    SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(win32::windowIdOf(txt_parameter_0), EN_CHANGE),
                 reinterpret_cast<LPARAM>(window.control(txt_parameter_0)));
    EXPECT_TRUE(clicks.empty());
}

TEST(WindowClickTest, EnterPressesTheFocusedButton) {
    win32::MainWindow window;
    std::vector<ControlId> clicks;
    window.onClick = [&](ControlId id) { clicks.push_back(id); };
    window.show();
    SetFocus(window.control(cmd_enter_response));
    PostMessageW(window.control(cmd_enter_response), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(pumpUntil(&window, [&] { return !clicks.empty(); }));
    EXPECT_EQ(clicks, std::vector<ControlId>{cmd_enter_response});
}

TEST_F(Win32LessonTest, StartsWithTheBoxesAsTheTableSaysAndTheHeaderWritten) {
    ASSERT_TRUE(start());
    EXPECT_EQ(platform.text(txt_question), u"");
    EXPECT_EQ(platform.text(txt_answer), u" ");
    const std::string header = "assignment #001\r\n001.  Rates\r\novla set\r\n12-07-2026\r\n";
    ASSERT_GT(master().size(), header.size());
    EXPECT_EQ(master().substr(master().size() - header.size()), header);
    EXPECT_EQ(send(), master());
}

TEST_F(Win32LessonTest, NextShowsTheFirstBlockAndEnterResponseRecordsIt) {
    ASSERT_TRUE(start());
    click(cmdNextQuestion);
    const Text shown = platform.text(txt_question);
    EXPECT_FALSE(shown.empty());
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (shown[i] == u'\n') {
            ASSERT_TRUE(i > 0 && shown[i - 1] == u'\r') << "a line break without CR at " << i;
        }

    SetWindowTextW(control(txt_answer), L"5000 dollars\r\nsecond line");
    const std::string before = master();
    auto dialogs = answering({DialogAnswer::ok(L"3")});
    click(cmd_enter_response);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(dialogs->shown()[0].ownerVisible);  // the rating prompt belongs to the shown window
    const std::string record = master().substr(before.size());
    EXPECT_NE(record.find("RESPONSE -->  \r\n5000 dollars\r\nsecond line\r\nconfidence assessment:  3\r\n"),
              std::string::npos)
        << record;
    EXPECT_EQ(platform.text(txt_question), u"");
    EXPECT_EQ(platform.text(txt_answer), u"");
}

TEST_F(Win32LessonTest, AnAnswerReplacedByNextComesBackWithCtrlZ) {
    ASSERT_TRUE(start());
    click(cmdNextQuestion);
    HWND box = control(txt_answer);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    for (const wchar_t c : std::wstring(L"my answer")) SendMessageW(box, WM_CHAR, c, 1);
    SendMessageW(box, WM_CHAR, VK_RETURN, 1);
    for (const wchar_t c : std::wstring(L"and more")) SendMessageW(box, WM_CHAR, c, 1);
    ASSERT_EQ(platform.text(txt_answer), u"my answer\r\nand more");

    click(cmdNextQuestion);
    EXPECT_EQ(platform.text(txt_answer), form.state().responsePrompt);
    SetFocus(box);
    SendMessageW(box, WM_CHAR, 0x1A, 1);  // Ctrl+Z, as the keyboard delivers it to the box
    EXPECT_EQ(platform.text(txt_answer), u"my answer\r\nand more");
}

TEST_F(Win32LessonTest, ButtonsWithoutAHandlerChangeNothing) {
    ASSERT_TRUE(start());
    const std::string masterBefore = master(), sendBefore = send();
    auto dialogs = answering({});
    for (ControlId id : {cmd_Make_paragraph, cmd_Make_Paragraph_question, cmd_timerTrigger}) click(id);
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(send(), sendBefore);
    EXPECT_EQ(platform.text(txt_question), u"");
    EXPECT_EQ(platform.text(txt_answer), u" ");
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(Win32LessonTest, ClosingTheWindowEndsTheLoopWithStatusZeroAndWritesNothing) {
    ASSERT_TRUE(start());
    platform.enableTimer(tmr_pend_exp, 15);
    const std::string masterBefore = master(), sendBefore = send();
    auto dialogs = answering({});
    PostMessageW(window().hwnd(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(window().runMessageLoop(), 0);
    EXPECT_FALSE(window().exists());
    EXPECT_FALSE(window().timerRunning());
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(send(), sendBefore);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(Win32LessonTest, QuitEndsTheRunningLoopWithStatusZero) {
    ASSERT_TRUE(start());
    platform.enableTimer(tmr_pend_exp, 15);
    PostMessageW(control(cmd_quit), BM_CLICK, 0, 0);
    EXPECT_EQ(window().runMessageLoop(), 0);
    EXPECT_TRUE(form.ended());
    EXPECT_FALSE(window().exists());
}

TEST_F(Win32LessonTest, ExitDuringStartUpLeavesNoQuitMessageForLaterPrompts) {
    // Cancelling the folder question after a failed open ends the program before the loop runs.
    ASSERT_FALSE(start(L"Ann Lee", L"1", L"c:\\missing\\folder"));  // the driver cancels what follows
    EXPECT_FALSE(window().exists());
    auto dialogs = answering({DialogAnswer::ok(L"still asked")});
    EXPECT_EQ(platform.inputPrompt(u"Next?"), u"still asked");
}

TEST_F(Win32LessonTest, PendExpStartsOneFifteenMillisecondTimerThatDrawsOnPicture1) {
    ASSERT_TRUE(start());
    EXPECT_FALSE(window().timerRunning());  // no tick before "pend exp"
    click(cmd_pend_exp);
    platform.enableTimer(tmr_pend_exp, 500);
    EXPECT_TRUE(window().timerRunning());
    EXPECT_EQ(window().timerInterval(), 15);
    win32::PictureBox* picture1 = platform.pictureBox(Picture1);
    EXPECT_TRUE(pumpUntil(&window(), [&] { return picture1->circleCount() >= 3; }));
    EXPECT_EQ(platform.pictureBox(Picture2)->circleCount(), 0);
    EXPECT_EQ(platform.picture(Picture1), nullptr);
}

TEST_F(Win32LessonTest, TicksWaitWhileAPromptOfAClickIsOpen) {
    ASSERT_TRUE(start());
    click(cmd_pend_exp);
    click(cmdNextQuestion);
    SetWindowTextW(control(txt_answer), L"an answer");
    win32::PictureBox* picture1 = platform.pictureBox(Picture1);
    // The driver answers at its first poll, 20 ms or more later: several timer periods.
    auto dialogs = answering({DialogAnswer::ok(L"2")});
    const int before = picture1->circleCount();
    click(cmd_enter_response);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(picture1->circleCount(), before);
    EXPECT_TRUE(pumpUntil(&window(), [&] { return picture1->circleCount() > before; }));
}

}  // namespace
}  // namespace stepwise::testing
