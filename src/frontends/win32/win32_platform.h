#pragma once
// The platform on the Win32 API: the window and its controls, the prompts, the picture boxes, the
// clipboard, the timer and the beep; files, clock and random numbers come from SystemPlatform.
#include <array>
#include <filesystem>
#include <memory>

#include "frontends/common/system_platform.h"
#include "frontends/win32/main_window.h"
#include "frontends/win32/multi_line_box.h"

namespace stepwise {
class MainForm;
}

namespace stepwise::win32 {

class PictureBox;

class Win32Platform : public SystemPlatform {
public:
    // driveRoot: empty in the product, so that "c:\qwelrand" is the real folder; tests give a
    // temporary folder for a leading drive letter to stand for.
    explicit Win32Platform(std::filesystem::path driveRoot = {});

    // Sends the window's button clicks to form.click() and the timer's ticks to form.tick().
    void connect(MainForm& form);

    MainWindow& window() { return window_; }
    PictureBox* pictureBox(ControlId box) const { return window_.pictureBox(box); }

    Text text(ControlId box) override;
    void setText(ControlId box, const Text& text) override;
    void replaceTextUndoably(ControlId box, const Text& text) override;

    void showMessage(const Text& message) override;
    bool askOkCancel(const Text& message) override;

    void setUserScale(ControlId box, float width, float height) override;
    void drawCircle(ControlId box, float x, float y, float radius) override;
    Picture picture(ControlId box) override;
    void setPicture(ControlId box, const Picture& picture) override;

    bool putClipboardPicture(const Picture& picture) override;
    Picture clipboardPicture() override;

    void enableTimer(ControlId timer, int intervalMs) override;
    void beep() override;

    void closeWindowAndExit() override;

protected:
    Text promptForLine(const Text& message) override;

private:
    // The owner of prompts: the window once it is shown; before that the prompts stand alone.
    HWND promptOwner() const;
    HWND editControl(ControlId box) const;
    // The display box's font for a text it is about to show (MainWindow::useTrueTypeDisplayFont).
    void fitFont(ControlId box, const Text& text);
    // The display box or the response box; nullptr for every other control.
    MultiLineBox* multiLineBox(ControlId box) const { return multiLineBoxes_[static_cast<int>(box)].get(); }
    // Runs one event of the window; an event that arrives while another runs (a timer tick while
    // a rating prompt waits) is dropped, so that every handler runs to completion first.
    template <class Event>
    void deliver(Event&& event);

    // Declared before the window, so that the window and its controls go first.
    std::array<std::unique_ptr<MultiLineBox>, controlCount> multiLineBoxes_;
    MainWindow window_;
    bool delivering_ = false;
};

}  // namespace stepwise::win32
