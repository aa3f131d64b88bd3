// The two viewer buttons in the real window: what the student sees in the display box.
#include <gtest/gtest.h>

#include <QPlainTextEdit>
#include <QTextDocument>
#include <ctime>
#include <fstream>
#include <functional>

#include "format/cp1252.h"
#include "frontends/qt/qt_lesson_fixture.h"
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

// CPU time of this thread: the machine may be shared with other work.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// A notes file of `size` bytes in lines of 70 characters, each line `line(number)`.
std::string notesOfLines(std::size_t size, const std::function<std::string(int)>& line) {
    std::string bytes;
    for (int number = 0; bytes.size() < size; ++number) bytes += line(number) + "\r\n";
    return bytes;
}

TEST_F(QtLessonTest, NotesWithoutSpacesShowAsFastAsWordedNotesAndAsTheyStand) {
    ASSERT_TRUE(start());
    auto* displayBox = window().controlAs<QPlainTextEdit>(txt_question);
    ASSERT_NE(displayBox, nullptr);
    // Big enough that laying out the unspaced notes at word boundaries takes many times longer than
    // the worded ones, small enough to show in a fraction of a second each.
    constexpr std::size_t size = 160 * 1024;
    const std::string worded = notesOfLines(size, [](int) {
        return std::string("the quick brown fox jumps over the lazy dog, then rests a little.   ");
    });
    const std::string unspaced = notesOfLines(size, [](int number) { return std::string(68, char('a' + number % 26)); });

    const auto secondsToShow = [&](const std::string& notes) {
        platform.setText(txt_question, u"");
        {
            std::ofstream(outputFolder() / "notes_Ann_Lee.txt", std::ios::binary) << notes;
        }
        const double started = threadSeconds();
        click(cmd_display_note_file);
        QCoreApplication::processEvents();
        return threadSeconds() - started;
    };
    const auto runTogether = [](std::string notes) {
        std::erase(notes, '\r');
        std::erase(notes, '\n');
        return decodeCp1252(notes);
    };

    const double wordedSeconds = secondsToShow(worded);
    EXPECT_EQ(platform.text(txt_question), runTogether(worded));
    EXPECT_EQ(displayBox->wordWrapMode(), QTextOption::WrapAtWordBoundaryOrAnywhere) << "words wrap whole";
    const double unspacedSeconds = secondsToShow(unspaced);
    EXPECT_EQ(platform.text(txt_question), runTogether(unspaced));
    EXPECT_EQ(displayBox->blockCount(), 1) << "the notes lines run together";
    EXPECT_LE(unspacedSeconds, 3 * wordedSeconds + 0.05)
        << "unspaced notes took " << unspacedSeconds << " s, worded ones " << wordedSeconds << " s";
}

}  // namespace
}  // namespace stepwise::testing
