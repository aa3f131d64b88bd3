// The two viewer buttons in the real window: what the student sees in the display box.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextDocument>
#include <fstream>

#include "platform/system/cp1252.h"
#include "qt/qt_lesson_fixture.h"
#include "viewers/viewer_file.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

// The characters the box shows, each line break as "\n". (toPlainText() would turn the no-break
// spaces that a code line may hold into plain spaces.)
QString shownText(const QPlainTextEdit* box) {
    QString text = box->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
    return text;
}

TEST_F(QtLessonTest, ViewerButtonsShowTheNotesAndSendFilesInTheDisplayBox) {
    ASSERT_TRUE(start());
    auto* displayBox = window().controlAs<QPlainTextEdit>(txt_question);
    ASSERT_NE(displayBox, nullptr);

    // Before the first notes record the student is told so, and the box stays as it was.
    auto dialogs = answering({DialogAnswer::ok()});
    click(cmd_display_note_file);
    dialogs->stop();
    ASSERT_EQ(dialogs->shown().size(), 1u);
    EXPECT_EQ(dialogs->shown()[0].kind, QStringLiteral("messageBox"));
    EXPECT_EQ(dialogs->shown()[0].message, qt::toDisplayText(noNotesYetMessage()));
    EXPECT_EQ(shownText(displayBox), QString());

    {
        std::ofstream notes(outputFolder() / "notes_Ann_Lee.txt", std::ios::binary);
        notes << "first\r\nsecond \x80 &#916;\r\n";
    }
    click(cmd_display_note_file);
    EXPECT_EQ(shownText(displayBox), QStringLiteral(u"firstsecond \u20AC &#916;"));
    EXPECT_EQ(displayBox->blockCount(), 1) << "the notes lines run together";

    // The SEND file follows, each of its lines on a line of its own.
    std::string sendLines = send();
    ASSERT_EQ(sendLines.substr(sendLines.size() - 2), "\r\n");
    sendLines.resize(sendLines.size() - 2);
    const QString expectedSend = qt::toDisplayText(decodeCp1252(sendLines));
    click(cmd_displayCumulativeText);
    EXPECT_EQ(shownText(displayBox), QStringLiteral(u"firstsecond \u20AC &#916;\n") + expectedSend);
    EXPECT_EQ(displayBox->blockCount(), 1 + expectedSend.count(QChar(u'\n')) + 1);
    EXPECT_FALSE(form.ended());
}

}  // namespace
}  // namespace stepwise::testing
