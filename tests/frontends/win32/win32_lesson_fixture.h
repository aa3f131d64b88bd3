#pragma once
// A lesson on the real Win32 window: a Win32Platform with a fixed clock (12-07-2026 14:05:09)
// whose drive root is a temporary folder, connected to a MainForm. start() runs the real load
// handler with the start-up prompts answered by a DialogDriver, then shows the window as the
// program does.
#include <gtest/gtest.h>

#include <memory>

#include "app/main_form.h"
#include "system/local_time.h"
#include "frontends/win32/main_window.h"
#include "frontends/win32/win32_platform.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"
#include "frontends/win32/dialog_driver.h"
#include "frontends/win32/message_pump.h"

namespace stepwise::testing {

class FixedClockWin32Platform : public win32::Win32Platform {
public:
    using Win32Platform::Win32Platform;
    LocalTime clock{2026, 12, 7, 14, 5, 9};

protected:
    LocalTime now() override { return clock; }
};

class Win32LessonTest : public ::testing::Test {
protected:
    Win32LessonTest() : platform(temp.path()), form(platform) { platform.connect(form); }

    // Answers the name and folder prompts; true when the program goes on and the window is shown.
    bool start(const std::wstring& name = L"Ann Lee", const std::wstring& changeFolder = {},
               const std::wstring& folder = {}) {
        std::deque<DialogAnswer> answers{DialogAnswer::ok(name), DialogAnswer::ok(changeFolder)};
        if (changeFolder == L"1") answers.push_back(DialogAnswer::ok(folder));
        startUpDialogs = std::make_unique<DialogDriver>(std::move(answers));
        form.load();
        startUpDialogs->stop();
        if (form.ended()) return false;
        window().show();
        pumpPending(&window());
        return window().isVisible();
    }

    // A driver answering the dialogs that the next steps of a test show.
    std::unique_ptr<DialogDriver> answering(std::deque<DialogAnswer> answers) {
        startUpDialogs.reset();
        return std::make_unique<DialogDriver>(std::move(answers));
    }

    win32::MainWindow& window() { return platform.window(); }
    HWND control(ControlId id) { return window().control(id); }
    // A click on the button, delivered by the button itself as a mouse click would be.
    void click(ControlId id) { SendMessageW(control(id), BM_CLICK, 0, 0); }

    std::filesystem::path outputFolder() const { return temp.path() / "qwelrand"; }
    std::string master() const { return readBytes(outputFolder() / "masterFile_Ann_Lee.txt"); }
    std::string send() const { return readBytes(outputFolder() / "send_1207Ann_Lee.txt"); }

    TempDir temp;
    FixedClockWin32Platform platform;
    MainForm form;
    std::unique_ptr<DialogDriver> startUpDialogs;
};

}  // namespace stepwise::testing
