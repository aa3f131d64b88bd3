#pragma once
// The program's one window, built from the shared control table: every control at its place in
// pixels at the screen's resolution, created in tab order, so that Tab and Shift+Tab (handled by
// IsDialogMessage) walk the controls in that order. Where controls overlap (the top row), an
// earlier control lies over a later one, since the order of the children is the tab order.
#include <windows.h>

#include <array>
#include <functional>

#include "app/control_table.h"
#include "frontends/win32/dpi_scale.h"

namespace stepwise::win32 {

class PictureBox;

class MainWindow {
public:
    // Creates the window hidden.
    explicit MainWindow(DpiScale scale = screenScale());
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND hwnd() const { return hwnd_; }
    bool exists() const { return hwnd_ != nullptr; }
    bool isVisible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    DpiScale scale() const { return scale_; }
    // The window of a control; nullptr for the timer, which has none.
    HWND control(ControlId id) const { return controls_[static_cast<int>(id)]; }
    PictureBox* pictureBox(ControlId id) const;
    // The control behind a window, if it is one of this window's.
    bool findControl(HWND window, ControlId& id) const;

    // A click on a push button, whether or not the program handles it.
    std::function<void(ControlId)> onClick;
    // A tick of the picture timer.
    std::function<void(ControlId)> onTick;
    // The student closed the window; the window is destroyed right after.
    std::function<void()> onClosedByUser;

    // The display box's font: the TrueType face of truetype_box_font.h while it shows characters
    // that "System" lacks, "System" otherwise.
    void useTrueTypeDisplayFont(bool trueType);

    void show();
    // Destroys the window; when the message loop runs, it ends with status 0.
    void destroy();

    // The picture timer: started once, never restarted with another interval.
    void startTimer(int intervalMs);
    bool timerRunning() const { return timerInterval_ != 0; }
    int timerInterval() const { return timerInterval_; }

    // Runs the message loop until the window is destroyed; the exit status.
    int runMessageLoop();
    // Gives a message of the loop to the dialog keyboard handling (Tab, Enter, arrow keys);
    // true when it was handled there.
    bool handleDialogKey(MSG& message);

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void handleCommand(WPARAM wParam, LPARAM lParam);
    void createControls();
    HWND createControl(const ControlSpec& row);
    HWND createChild(const ControlSpec& row, const wchar_t* cls, DWORD style, DWORD exStyle);
    void moveFocus(WPARAM wParam, LPARAM lParam);
    void stopTimer();

    DpiScale scale_;
    HWND hwnd_ = nullptr;
    std::array<HWND, controlCount> controls_{};
    HFONT largeBoxFont_ = nullptr;
    HFONT defaultFont_ = nullptr;
    HFONT trueTypeBoxFont_ = nullptr;  // made when a display box text first needs it
    HWND focusBeforeDeactivation_ = nullptr;
    int timerInterval_ = 0;
    bool loopRunning_ = false;
};

// The control id Windows knows a control by; ids below 100 are left to the dialog manager (IDOK...).
int windowIdOf(ControlId id);

}  // namespace stepwise::win32
