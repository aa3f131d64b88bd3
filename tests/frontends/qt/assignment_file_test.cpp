// An assignment file worked in the real Qt window, a file that cannot be worked refused with one
// message box before any prompt, and the built program's command line.
#include <QPlainTextEdit>

#include <cstdlib>
#include <fstream>
#include <functional>

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#endif

#include "app/worked_assignment.h"
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
    writeFile(file,
              "007.  Speed\nset: physics set\n---\n`q001.  What is \xE2\x88\x9A" "16 + \xCE\x94x? (\xE6\x97\xA5, "
              "\xF0\x9F\x99\x82)\n---\n`a\n---\nIt is 5.\n---\nend program\n");
    form.useAssignmentFile(file);
    ASSERT_TRUE(start());
    EXPECT_EQ(startUpDialogs->shown().size(), 2u);

    click(cmdNextQuestion);
    EXPECT_EQ(widgetText(txt_question), QString::fromUtf8("`q001.  What is \xE2\x88\x9A" "16 + \xCE\x94x? (\xE6\x97\xA5, "
                                                          "\xF0\x9F\x99\x82)"));
    auto* answer = window().controlAs<QPlainTextEdit>(txt_answer);
    answer->selectAll();
    answer->insertPlainText(QString::fromUtf8("\xE2\x88\x9A" "16 = 4"));  // as an input method gives it
    auto confidence = answering({DialogAnswer::ok(QStringLiteral("3"))});
    click(cmd_enter_response);
    confidence->stop();

    click(cmdNextQuestion);
    EXPECT_EQ(widgetText(txt_question), QStringLiteral("It is 5."));
    answer->selectAll();
    QTest::keyClicks(answer, QStringLiteral("right"));
    auto critique = answering({DialogAnswer::ok(QStringLiteral("2"))});
    click(cmd_enter_response);
    critique->stop();
    ASSERT_EQ(confidence->shown().size(), 1u);
    ASSERT_EQ(critique->shown().size(), 1u);
    EXPECT_TRUE(confidence->shown()[0].message.contains(QStringLiteral("confidence")));
    EXPECT_TRUE(critique->shown()[0].message.contains(QStringLiteral("self-critique")));

    const std::string s = send();
    const std::string header = "\r\nassignment #007\r\n007.  Speed\r\nphysics set\r\n12-07-2026\r\n";
    EXPECT_EQ(s.substr(s.find("\r\n"), header.size()), header);
    EXPECT_NE(s.find("`q001.  What is &#8730;16 + &#916;x? (&#26085;, &#128578;)\r\n"), std::string::npos) << s;
    EXPECT_NE(s.find("RESPONSE -->  \r\n&#8730;16 = 4\r\nconfidence assessment:  3\r\n"), std::string::npos) << s;
    EXPECT_NE(s.find("It is 5.\r\n......!!!!!!!!...................................\r\nRESPONSE -->  \r\nright\r\n"
                     "self critique assessment: 2\r\n"),
              std::string::npos)
        << s;
}

TEST(QtAssignmentFileRefused, OneMessageBoxAndNothingElse) {
    struct Case {
        const char* what;
        std::function<fs::path(const fs::path& dir)> make;
        std::string said;  // after the file's name
    };
    const auto bytes = [](std::string content) {
        return [content](const fs::path& dir) {
            writeFile(dir / "a.stepwise", content);
            return dir / "a.stepwise";
        };
    };
    const std::vector<Case> cases = {
        {"a missing file", [](const fs::path& dir) { return dir / "none.stepwise"; }, ": error: the file cannot be read: "},
        {"a folder", [](const fs::path& dir) { fs::create_directory(dir / "f.stepwise"); return dir / "f.stepwise"; },
         ": error: the file cannot be read: "},
        {"a bad header", bytes("Speed\n---\nend program\n"), ":1: error: the assignment header must be"},
        {"an error inside", bytes("007.  Speed\n---\n`routine graph9\n---\nend program\n"), ":3: error: unknown routine"},
#ifndef _WIN32
        {"a named pipe", [](const fs::path& dir) { ::mkfifo((dir / "p.stepwise").c_str(), 0600); return dir / "p.stepwise"; },
         ": error: the file cannot be read: it is not a regular file"},
#endif
    };
    for (const Case& c : cases) {
        TempDir dir;
        FixedClockQtPlatform platform(dir.path());
        MainForm form(platform);
        platform.connect(form);
        const fs::path file = c.make(dir.path());
        form.useAssignmentFile(file);
        DialogDriver dialogs({DialogAnswer::ok(QStringLiteral("Ann Lee")), DialogAnswer::ok()}, &platform.window());
        form.load();
        dialogs.stop();
        EXPECT_TRUE(form.ended()) << c.what;
        EXPECT_TRUE(form.assignmentRefused()) << c.what;
        EXPECT_FALSE(platform.window().isVisible()) << c.what;
        EXPECT_FALSE(fs::exists(dir.path() / "qwelrand")) << c.what;
        ASSERT_EQ(dialogs.shown().size(), 1u) << c.what;
        const ShownDialog& shown = dialogs.shown().front();
        EXPECT_EQ(shown.kind, QStringLiteral("messageBox")) << c.what;
        EXPECT_FALSE(shown.windowVisible) << c.what;
        const QString expected = qt::toQString(pathText(file)) + QString::fromStdString(c.said);
        EXPECT_TRUE(shown.message.contains(expected)) << c.what << ": " << shown.message.toStdString();
    }
}

struct ProgramRun {
    int status = -1;
    std::string out, err;
};

// The built program, offscreen, with nothing on its standard input.
ProgramRun runProgram(const fs::path& dir, const std::string& arguments) {
    const fs::path out = dir / "out.txt", err = dir / "err.txt";
    // HOME: the default output folder lies in the test's folder; timeout: a lesson that starts
    // by mistake waits at its first prompt, and the test must not wait with it.
    const std::string command = "HOME='" + dir.string() + "' QT_QPA_PLATFORM=offscreen timeout 60 '" +
                                STEPWISE_STUDENT_PROGRAM + "' " + arguments +
                                " >'" + out.string() + "' 2>'" + err.string() + "' </dev/null";
    ProgramRun run;
    const int raw = std::system(command.c_str());
    if (WIFEXITED(raw)) run.status = WEXITSTATUS(raw);
    run.out = readBytes(out);
    run.err = readBytes(err);
    return run;
}

// Arguments the lesson cannot start with end the program at once with status 2, once Qt has taken
// its own options out: a file counts only once -platform's value is gone.
TEST(QtStudentProgram, TakesOneFileAfterQtsOwnOptions) {
    struct Case {
        std::string arguments;
        int status;
        std::string out;  // how standard output begins
        std::string err;  // in standard error
    };
    const std::vector<Case> cases = {
        {"--help", 0, "Usage: stepwise [FILE]\n", ""},
        {"-platform offscreen a.stepwise b.stepwise", 2, "",
         "stepwise: one assignment file at a time, and 2 were given\nUsage: stepwise [FILE]\n"
         "Try 'stepwise --help' for more information.\n"},
        {"-style fusion -reverse --bogus a.stepwise", 2, "", "stepwise: unknown option --bogus\n"},
    };
    TempDir dir;
    for (const Case& c : cases) {
        const ProgramRun run = runProgram(dir.path(), c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.err;
        EXPECT_EQ(run.out.substr(0, c.out.size()), c.out) << c.arguments;
        EXPECT_NE(run.err.find(c.err), std::string::npos) << c.arguments << "\n" << run.err;  // Qt may warn first
        if (c.err.empty()) EXPECT_EQ(run.err, "") << c.arguments;
    }
    EXPECT_FALSE(fs::exists(dir.path() / "qwelrand"));
}

}  // namespace
}  // namespace stepwise::testing
