// The modal prompts, and the real start-up answering them before the window appears.
#include <gtest/gtest.h>

#include <QScreen>
#include <filesystem>

#include "app/start_up.h"
#include "frontends/qt/qt_lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

TEST_F(QtLessonTest, StartUpPromptsComeBeforeTheWindowAndTheHeaderIsWritten) {
    std::filesystem::create_directories(temp.path() / "chosen");
    ASSERT_TRUE(start(QStringLiteral("Ann Lee"), QStringLiteral("1"), QStringLiteral("c:\\chosen")));

    const std::vector<ShownDialog>& shown = startUpDialogs->shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(startUpDialogs->messages(),
              (QStringList{qt::toQString(namePrompt), qt::toQString(changeFolderPrompt), qt::toQString(newFolderPrompt)}));
    for (const ShownDialog& dialog : shown) {
        EXPECT_EQ(dialog.kind, QStringLiteral("inputPrompt"));
        EXPECT_EQ(dialog.title, QStringLiteral("Stepwise"));
        EXPECT_EQ(dialog.initialEntry, QString());
        EXPECT_FALSE(dialog.windowVisible);
    }
    EXPECT_TRUE(window().isVisible());

    const std::string master = readBytes(temp.path() / "chosen" / "masterFile_Ann_Lee.txt");
    const std::string header = "assignment #001\r\n001.  Rates\r\novla set\r\n12-07-2026\r\n";
    ASSERT_GE(master.size(), header.size());
    EXPECT_EQ(master.substr(master.size() - header.size()), header);
    EXPECT_EQ(readBytes(temp.path() / "chosen" / "send_1207Ann_Lee.txt"), master);
}

TEST_F(QtLessonTest, AfterStartUpTheDisplayBoxIsEmptyAndTheResponseBoxHoldsOneSpace) {
    ASSERT_TRUE(start());
    EXPECT_EQ(startUpDialogs->shown().size(), 2u);  // no third prompt for an empty folder answer
    EXPECT_EQ(platform.text(txt_question), u"");
    EXPECT_EQ(platform.text(txt_answer), u" ");
    EXPECT_FALSE(master().empty());
}

TEST_F(QtLessonTest, InputPromptGivesTheTypedTextAndNothingWhenCancelledOrClosed) {
    auto dialogs = answering({DialogAnswer::ok(QStringLiteral("Ann  Lee ")), DialogAnswer::cancel(QStringLiteral("typed")),
                              DialogAnswer::close(), DialogAnswer::ok()});
    EXPECT_EQ(platform.inputPrompt(u"Name?"), u"Ann  Lee ");
    EXPECT_EQ(platform.inputPrompt(u"Again?"), u"");
    EXPECT_EQ(platform.inputPrompt(u"Closed?"), u"");
    EXPECT_EQ(platform.inputPrompt(u"Empty?"), u"");
    EXPECT_EQ(dialogs->messages(), (QStringList{"Name?", "Again?", "Closed?", "Empty?"}));
    EXPECT_EQ(dialogs->unanswered(), 0);
}

// A pasted text keeps its first line, and what stood after the cursor stays, as in a single-line
// entry field on Windows.
TEST_F(QtLessonTest, TheEntryLineTakesOnlyTheFirstLineOfAPastedText) {
    auto dialogs = answering({DialogAnswer::paste(QStringLiteral("ac"), 1, QStringLiteral("b\r\nextra")),
                              DialogAnswer::paste({}, 0, QStringLiteral("2\nsure")),
                              DialogAnswer::paste(QStringLiteral("x"), 0, QStringLiteral("3\r"))});
    EXPECT_EQ(platform.inputPrompt(u"Name?"), u"abc");
    EXPECT_EQ(platform.inputPrompt(u"Rating?"), u"2");
    EXPECT_EQ(platform.inputPrompt(u"Again?"), u"x3");
    ASSERT_EQ(dialogs->shown().size(), 3u);
    EXPECT_EQ(dialogs->shown()[0].finalEntry, QStringLiteral("abc"));
    EXPECT_EQ(dialogs->shown()[1].finalEntry, QStringLiteral("2"));
    EXPECT_EQ(dialogs->shown()[2].finalEntry, QStringLiteral("x3"));
}

TEST_F(QtLessonTest, ALongPathWrapsInsideTheMessageBox) {
    const Text path = u"/home/ann/" + Text(120, u'w') + u"/qwelrand/masterFile_" + Text(90, u'n') + u".txt";
    const Text message = u"Your response was not recorded: the file " + path + u" could not be written.";
    auto dialogs = answering({DialogAnswer::ok(), DialogAnswer::ok()});
    platform.showMessage(message);
    EXPECT_TRUE(platform.askOkCancel(message));
    ASSERT_EQ(dialogs->shown().size(), 2u);
    const int screenWidth = window().screen()->availableGeometry().width();
    for (const ShownDialog& shown : dialogs->shown()) {
        EXPECT_EQ(shown.message, qt::toQString(message)) << "the student reads the path unchanged";
        EXPECT_LT(shown.width, screenWidth * 3 / 4) << "the box keeps to a readable width";
        EXPECT_LE(shown.labelWidth, shown.width);
        EXPECT_GE(shown.labelHeight, 4 * window().fontMetrics().height()) << "the path wraps onto several lines";
    }
}

TEST_F(QtLessonTest, MessagesShowTheirLineBreaksAndOkCancelAnswersTrueOrFalse) {
    auto dialogs = answering({DialogAnswer::ok(), DialogAnswer::ok(), DialogAnswer::cancel(), DialogAnswer::close()});
    platform.showMessage(u"line one\r\n\r\nline <b>two</b>");
    EXPECT_TRUE(platform.askOkCancel(u"Retry?"));
    EXPECT_FALSE(platform.askOkCancel(u"Retry?"));
    EXPECT_FALSE(platform.askOkCancel(u"Retry?"));

    const std::vector<ShownDialog>& shown = dialogs->shown();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].kind, QStringLiteral("messageBox"));
    EXPECT_EQ(shown[0].message, QStringLiteral("line one\n\nline <b>two</b>"));
    EXPECT_EQ(shown[1].kind, QStringLiteral("okCancelBox"));
    for (const ShownDialog& dialog : shown) EXPECT_EQ(dialog.title, QStringLiteral("Stepwise"));
}

}  // namespace
}  // namespace stepwise::testing
