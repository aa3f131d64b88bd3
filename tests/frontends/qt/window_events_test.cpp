// Events of the window: clicks, closing, the program's own exit, and the picture timer.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTimer>

#include "app/control_table.h"
#include "frontends/qt/qt_lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

// Runs the application's event loop until something exits it; 1 when it had to be stopped.
int runEventLoop(const std::function<void()>& first) {
    QTimer::singleShot(0, first);
    QTimer guard;  // goes with this call, so it cannot stop a later test's loop
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(5000);
    return QApplication::exec();
}

// The window alone, connected to no form, so that clicks run no handler.
class WindowClickTest : public ::testing::Test {
protected:
    WindowClickTest() : platform(temp.path()) {}
    TempDir temp;
    qt::QtPlatform platform;
};

TEST_F(WindowClickTest, EveryButtonReportsItsOwnClick) {
    qt::MainWindow& window = platform.window();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSignalSpy clicks(&window, &qt::MainWindow::controlClicked);
    for (const ControlSpec& row : controlTable()) {
        if (row.kind != ControlKind::Button) continue;
        SCOPED_TRACE(std::string(row.name));
        // Other controls cover buttons only at their edges; a click in the middle reaches them.
        QTest::mouseClick(window.control(row.id), Qt::LeftButton);
        ASSERT_FALSE(clicks.isEmpty());
        EXPECT_EQ(clicks.takeLast().at(0).value<ControlId>(), row.id);
    }
}

TEST_F(QtLessonTest, PendExpStartsTicksThatDrawOnPicture1) {
    ASSERT_TRUE(start());
    click(cmd_pend_exp);
    QSignalSpy ticks(&platform.pendTimer(), &QTimer::timeout);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ticks.count() >= 3; }, 2000));
    EXPECT_GE(platform.pictureBox(Picture1)->circleCount(), 3);
    EXPECT_EQ(platform.pictureBox(Picture2)->circleCount(), 0);
    EXPECT_EQ(platform.picture(Picture1), nullptr);
}

TEST_F(QtLessonTest, ButtonsWithoutAHandlerChangeNothing) {
    ASSERT_TRUE(start());
    const std::string masterBefore = master(), sendBefore = send();
    const int lineBefore = form.state().lineIndex;
    auto dialogs = answering({});
    for (ControlId id : {cmd_Make_paragraph, cmd_Make_Paragraph_question, cmd_timerTrigger}) click(id);
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(send(), sendBefore);
    EXPECT_EQ(static_cast<int>(form.state().lineIndex), lineBefore);
    EXPECT_EQ(platform.text(txt_question), u"");
    EXPECT_EQ(platform.text(txt_answer), u" ");
    EXPECT_TRUE(dialogs->shown().empty());
    EXPECT_FALSE(form.ended());
    EXPECT_TRUE(window().isVisible());
}

TEST_F(QtLessonTest, ClosingTheWindowEndsTheEventLoopAndWritesNothing) {
    ASSERT_TRUE(start());
    platform.enableTimer(tmr_pend_exp, 15);
    const std::string masterBefore = master(), sendBefore = send();
    auto dialogs = answering({});
    EXPECT_EQ(runEventLoop([this] { window().close(); }), 0);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(platform.pendTimer().isActive());
    EXPECT_EQ(master(), masterBefore);
    EXPECT_EQ(send(), sendBefore);
    EXPECT_TRUE(dialogs->shown().empty());
}

TEST_F(QtLessonTest, TheProgramsOwnExitLeavesTheRunningLoopWithStatusZero) {
    ASSERT_TRUE(start());
    platform.enableTimer(tmr_pend_exp, 15);
    EXPECT_EQ(runEventLoop([this] { platform.closeWindowAndExit(); }), 0);
    EXPECT_FALSE(window().isVisible());
    EXPECT_FALSE(platform.pendTimer().isActive());
}

TEST_F(QtLessonTest, ExitBeforeTheLoopRunsLeavesLaterPromptsWorking) {
    // During start-up there is no loop yet: main() sees the form ended instead.
    platform.closeWindowAndExit();
    EXPECT_FALSE(window().isVisible());
    auto dialogs = answering({DialogAnswer::ok(QStringLiteral("still asked"))});
    EXPECT_EQ(platform.inputPrompt(u"Next?"), u"still asked");
}

TEST_F(QtLessonTest, TheTimerStartsOnceAtFifteenMilliseconds) {
    ASSERT_TRUE(start());
    EXPECT_FALSE(platform.pendTimer().isActive());  // no tick before "pend exp"
    platform.enableTimer(tmr_pend_exp, 15);
    platform.enableTimer(tmr_pend_exp, 500);
    EXPECT_TRUE(platform.pendTimer().isActive());
    EXPECT_EQ(platform.pendTimer().interval(), 15);
    QSignalSpy ticks(&platform.pendTimer(), &QTimer::timeout);
    EXPECT_TRUE(ticks.wait(1000));
}

}  // namespace
}  // namespace stepwise::testing
