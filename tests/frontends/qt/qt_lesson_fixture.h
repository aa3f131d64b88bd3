#pragma once
// A lesson on the real Qt window: a QtPlatform with a fixed clock (12-07-2026 14:05:09) whose drive
// root is a temporary folder, connected to a MainForm. start() runs the real load handler with the
// start-up prompts answered by a DialogDriver, then shows the window as the program does.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "app/main_form.h"
#include "frontends/qt/main_window.h"
#include "frontends/qt/qt_platform.h"
#include "frontends/qt/qt_text.h"
#include "frontends/qt/dialog_driver.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {

class FixedClockQtPlatform : public qt::QtPlatform {
public:
    using QtPlatform::QtPlatform;
    LocalTime clock{2026, 12, 7, 14, 5, 9};

protected:
    LocalTime now() override { return clock; }
};

class QtLessonTest : public ::testing::Test {
protected:
    QtLessonTest() : platform(temp.path()), form(platform) { platform.connect(form); }

    // Answers the name and folder prompts; true when the program goes on and the window is shown.
    // The start-up dialogs stay recorded in startUpDialogs, whose driver then stops answering.
    bool start(const QString& name = QStringLiteral("Ann Lee"), const QString& changeFolder = {},
               const QString& folder = {}) {
        std::deque<DialogAnswer> answers{DialogAnswer::ok(name), DialogAnswer::ok(changeFolder)};
        if (changeFolder == QStringLiteral("1")) answers.push_back(DialogAnswer::ok(folder));
        startUpDialogs = std::make_unique<DialogDriver>(std::move(answers), &window());
        form.load();
        startUpDialogs->stop();
        if (form.ended()) return false;
        window().show();
        return QTest::qWaitForWindowExposed(&window());
    }

    // A driver answering the dialogs that the next steps of a test show (one driver at a time).
    std::unique_ptr<DialogDriver> answering(std::deque<DialogAnswer> answers) {
        return std::make_unique<DialogDriver>(std::move(answers), &window());
    }

    qt::MainWindow& window() { return platform.window(); }
    QWidget* control(ControlId id) { return window().control(id); }
    // A left mouse click on the control, as the student gives it.
    void click(ControlId id) { QTest::mouseClick(control(id), Qt::LeftButton); }

    std::filesystem::path outputFolder() const { return temp.path() / "qwelrand"; }
    std::string master() const { return readBytes(outputFolder() / "masterFile_Ann_Lee.txt"); }
    std::string send() const { return readBytes(outputFolder() / "send_1207Ann_Lee.txt"); }
    std::string notes() const { return readBytes(outputFolder() / "notes_Ann_Lee.txt"); }

    TempDir temp;
    FixedClockQtPlatform platform;
    MainForm form;
    std::unique_ptr<DialogDriver> startUpDialogs;
};

}  // namespace stepwise::testing
