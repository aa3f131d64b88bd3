// An assignment file worked in the real Qt window, a file that cannot be worked refused with one
// message box before any prompt, and the built program's command line.
#include <QPlainTextEdit>

#include <cstdlib>
#include <algorithm>
#include <fstream>

#include <sys/wait.h>

#include "frontends/qt/qt_lesson_fixture.h"
#include "system/path_text.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;
using enum ControlId;

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class QtAssignmentFile : public QtLessonTest {
protected:
    QString widgetText(ControlId id) { return window().controlAs<QPlainTextEdit>(id)->toPlainText(); }
};

TEST_F(QtAssignmentFile, BlocksShowTheirOwnCharactersAndTheRecordsHoldReferences) {
    const fs::path file = temp.path() / "speed.stepwise";
    writeFile(file, "007.  Speed\nset: physics set\n---\n`q001.  What is \xE2\x88\x9A" "16 + \xCE\x94x? (\xE6\x97\xA5, "
                    "\xF0\x9F\x99\x82)\n---\nend program\n");
    form.useAssignmentFile(file);
    ASSERT_TRUE(start());
    click(cmdNextQuestion);
    EXPECT_EQ(widgetText(txt_question),
              QString::fromUtf8("`q001.  What is \xE2\x88\x9A" "16 + \xCE\x94x? (\xE6\x97\xA5, \xF0\x9F\x99\x82)"));
    auto* answer = window().controlAs<QPlainTextEdit>(txt_answer);
    answer->selectAll();
    answer->insertPlainText(QString::fromUtf8("\xE2\x88\x9A" "16 = 4"));  // as an input method gives it
    auto confidence = answering({DialogAnswer::ok(QStringLiteral("3"))});
    click(cmd_enter_response);
    confidence->stop();

    const std::string s = send();
    const std::string record = "\r\nassignment #007\r\n007.  Speed\r\nphysics set\r\n12-07-2026\r\n"
                               "......!!!!!!!!...................................\r\n" + std::string(36, ' ') +
                               "14:05:09\r\n`q001.  What is &#8730;16 + &#916;x? (&#26085;, &#128578;)\r\n"
                               "......!!!!!!!!...................................\r\nRESPONSE -->  \r\n"
                               "&#8730;16 = 4\r\nconfidence assessment:  3\r\n.................................................\r\n";
    EXPECT_EQ(s.substr(std::min(s.find("\r\n"), s.size())), record);
}

TEST(QtAssignmentFileRefused, OneMessageBoxAndNothingElse) {
    const std::vector<std::pair<std::string, std::string>> cases = {  // the file's bytes, what the message says after its name
        {"", ": error: the file cannot be read: "},  // not even there
        {"Speed\n---\nend program\n", ":1: error: the assignment header must be"},
        {"007.  Speed\n---\n`routine graph9\n---\nend program\n", ":3: error: unknown routine"},
    };
    for (const auto& [bytes, said] : cases) {
        TempDir dir;
        FixedClockQtPlatform platform(dir.path());
        MainForm form(platform);
        platform.connect(form);
        const fs::path file = dir.path() / "a.stepwise";
        if (!bytes.empty()) writeFile(file, bytes);
        form.useAssignmentFile(file);
        DialogDriver dialogs({DialogAnswer::ok(QStringLiteral("Ann Lee")), DialogAnswer::ok()}, &platform.window());
        form.load();
        dialogs.stop();
        EXPECT_TRUE(form.assignmentRefused()) << said;
        EXPECT_FALSE(fs::exists(dir.path() / "qwelrand")) << said;
        ASSERT_EQ(dialogs.shown().size(), 1u) << said;
        const ShownDialog& shown = dialogs.shown().front();
        EXPECT_EQ(shown.kind, QStringLiteral("messageBox")) << said;
        EXPECT_FALSE(shown.windowVisible) << said;
        EXPECT_TRUE(shown.message.contains(qt::toQString(pathText(file)) + QString::fromStdString(said)))
            << shown.message.toStdString();
    }
}

// Arguments the lesson cannot start with end the built program at once with status 2, once Qt has
// taken its own options out: a file counts only once -platform's value is gone.
TEST(QtStudentProgram, TakesOneFileAfterQtsOwnOptions) {
    const std::vector<std::pair<std::string, std::string>> cases = {  // arguments, in standard error
        {"-platform offscreen a.stepwise b.stepwise",
         "stepwise: one assignment file at a time, and 2 were given\nUsage: stepwise [FILE]\n"
         "Try 'stepwise --help' for more information.\n"},
        {"-style fusion -reverse --bogus a.stepwise", "stepwise: unknown option --bogus\n"},
    };
    TempDir dir;
    for (const auto& [arguments, said] : cases) {
        // HOME: the default output folder lies in the test's folder; timeout: a lesson started by
        // mistake waits at its first prompt, and the test must not wait with it.
        const fs::path err = dir.path() / "err.txt";
        const std::string command = "HOME='" + dir.path().string() + "' QT_QPA_PLATFORM=offscreen timeout 60 '" +
                                    STEPWISE_STUDENT_PROGRAM + "' " + arguments + " >/dev/null 2>'" + err.string() +
                                    "' </dev/null";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << arguments;
        EXPECT_NE(readBytes(err).find(said), std::string::npos) << readBytes(err);  // Qt may warn first
    }
    EXPECT_FALSE(fs::exists(dir.path() / "qwelrand"));
}

}  // namespace
}  // namespace stepwise::testing
