// The modal prompts: the start-up questions before the window shows, typed text, cancelling,
// long messages, and the message boxes.
#include <gtest/gtest.h>

#include "frontends/win32/input_prompt.h"
#include "frontends/win32/message_dialog.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

TEST_F(Win32LessonTest, StartUpAsksThreeQuestionsBeforeTheWindowIsShown) {
    std::filesystem::create_directory(temp.path() / "chosen");
    ASSERT_TRUE(start(L"Ann Lee", L"1", L"c:\\chosen"));
    const std::vector<ShownDialog>& shown = startUpDialogs->shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].message, L"Your full name:  ");
    EXPECT_EQ(shown[1].message.substr(0, 50), L"Enter 1 if you want to change the folder to which ");
    EXPECT_EQ(shown[2].message.substr(0, 40), L"You have chosen to change the folder to ");
    for (const ShownDialog& dialog : shown) {
        EXPECT_EQ(dialog.kind, L"inputPrompt");
        EXPECT_EQ(dialog.title, L"Stepwise");
        EXPECT_EQ(dialog.initialEntry, L"");
        EXPECT_FALSE(dialog.owned);  // the window is not shown yet
        EXPECT_TRUE(dialog.answered);
    }
    EXPECT_EQ(form.state().folderPath, u"c:\\chosen");
    EXPECT_TRUE(window().isVisible());
}

TEST_F(Win32LessonTest, TypedTextComesBackExactlyAndCancelGivesNothing) {
    auto dialogs = answering({DialogAnswer::ok(L"  Zo\u00EB \u20AC 5  "), DialogAnswer::cancel(L"typed, then cancelled"),
                              DialogAnswer::close(), DialogAnswer::ok(L"")});
    EXPECT_EQ(platform.inputPrompt(u"one"), u"  Zo\u00EB \u20AC 5  ");
    EXPECT_EQ(platform.inputPrompt(u"two"), u"");
    EXPECT_EQ(platform.inputPrompt(u"three"), u"");
    EXPECT_EQ(platform.inputPrompt(u"four"), u"");
    EXPECT_EQ(dialogs->messages(), (std::vector<std::wstring>{L"one", L"two", L"three", L"four"}));
}

TEST_F(Win32LessonTest, RatingPromptsBelongToTheShownWindow) {
    ASSERT_TRUE(start());
    auto dialogs = answering({DialogAnswer::ok(L"x")});
    platform.inputPrompt(u"Rate it");
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_TRUE(dialogs->shown()[0].owned);
    EXPECT_TRUE(dialogs->shown()[0].ownerVisible);
}

TEST(InputPromptLayout, ALongMessageGetsTheRoomItNeedsAboveTheEntryLine) {
    const std::wstring message =
        L"You have chosen to change the folder to which your files will be written on your hard drive from the "
        L"default c:\\qwelrand.  Enter the path to the folder you wish to use.  You may just hit the Enter key to "
        L"retain the default path.\r\nA second line\r\nand a third.";
    int needed = -1, shown = -1, gapToEntry = -1, lineHeight = -1;
    DialogDriver driver({DialogAnswer::ok(L"done")});
    driver.onDialog = [&](HWND dialog) {
        HWND label = GetDlgItem(dialog, win32::promptMessageId);
        RECT l, e;
        GetWindowRect(label, &l);
        GetWindowRect(GetDlgItem(dialog, win32::promptAnswerId), &e);
        HDC dc = GetDC(label);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
        RECT calc{0, 0, l.right - l.left, 0};
        DrawTextW(dc, message.c_str(), -1, &calc, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        needed = calc.bottom;
        shown = l.bottom - l.top;
        gapToEntry = e.top - l.bottom;
        lineHeight = metrics.tmHeight;
    };
    EXPECT_EQ(win32::askForText(nullptr, L"Stepwise", message), std::optional<std::wstring>(L"done"));
    EXPECT_GE(needed, 5 * lineHeight);  // wrapped onto several lines, and three of its own
    EXPECT_GE(shown, needed);
    EXPECT_GE(gapToEntry, 0);
}

// A pasted text keeps its first line in the entry line, and what stood after the caret stays;
// whatever the entry line holds, the answer is one line.
TEST_F(Win32LessonTest, TheEntryLineTakesOnlyTheFirstLineOfAPastedText) {
    auto dialogs = answering({DialogAnswer::paste(L"ac", 1, L"b\r\nextra"), DialogAnswer::paste(L"", 0, L"2\nsure"),
                              DialogAnswer::paste(L"x", 1, L"3\r"), DialogAnswer::ok(L"1\r\nset by a tool")});
    EXPECT_EQ(platform.inputPrompt(u"Name?"), u"abc");
    EXPECT_EQ(platform.inputPrompt(u"Rating?"), u"2");
    EXPECT_EQ(platform.inputPrompt(u"Again?"), u"x3");
    EXPECT_EQ(platform.inputPrompt(u"Set?"), u"1");
    ASSERT_EQ(dialogs->shown().size(), 4u);
    EXPECT_EQ(dialogs->shown()[0].finalEntry, L"abc");
    EXPECT_EQ(dialogs->shown()[1].finalEntry, L"2");
    EXPECT_EQ(dialogs->shown()[2].finalEntry, L"x3");
}

TEST_F(Win32LessonTest, ALongPathWrapsInsideTheMessageBox) {
    const Text path = u"c:\\Users\\ann\\" + Text(120, u'w') + u"\\qwelrand\\masterFile_" + Text(90, u'n') + u".txt";
    const Text message = u"Your response was not recorded: the file " + path + u" could not be written.";
    RECT workArea{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    auto dialogs = answering({DialogAnswer::ok()});
    RECT box{}, text{};
    int lineHeight = 0;
    dialogs->onDialog = [&](HWND dialog) {
        GetWindowRect(dialog, &box);
        HWND shown = GetDlgItem(dialog, win32::messageTextId);
        ASSERT_NE(shown, nullptr);
        GetWindowRect(shown, &text);
        HDC dc = GetDC(shown);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(shown, WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        ReleaseDC(shown, dc);
        lineHeight = metrics.tmHeight;
    };
    platform.showMessage(message);
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].message, win32::toWide(message));
    EXPECT_GE(box.left, workArea.left);
    EXPECT_LE(box.right, workArea.right);
    EXPECT_GE(text.left, box.left);
    EXPECT_LE(text.right, box.right);
    ASSERT_GT(lineHeight, 0);
    EXPECT_GE(text.bottom - text.top, 4 * lineHeight) << "the path wraps onto several lines";
}

TEST_F(Win32LessonTest, MessagesShowWithTheProgramsTitleAndOkCancelTellsTheChoice) {
    auto dialogs = answering({DialogAnswer::ok(), DialogAnswer::ok(), DialogAnswer::cancel(), DialogAnswer::close()});
    platform.showMessage(u"first line\r\nsecond line");
    EXPECT_TRUE(platform.askOkCancel(u"Try again?"));
    EXPECT_FALSE(platform.askOkCancel(u"Try again?"));
    EXPECT_FALSE(platform.askOkCancel(u"Try again?"));
    ASSERT_EQ(dialogs->shown().size(), 4u);
    EXPECT_EQ(dialogs->shown()[0].kind, L"messageBox");
    EXPECT_EQ(dialogs->shown()[0].title, L"Stepwise");
    EXPECT_EQ(dialogs->shown()[0].message, L"first line\r\nsecond line");
    EXPECT_EQ(dialogs->shown()[1].kind, L"okCancelBox");
    EXPECT_EQ(dialogs->shown()[1].message, L"Try again?");
}

}  // namespace
}  // namespace stepwise::testing
