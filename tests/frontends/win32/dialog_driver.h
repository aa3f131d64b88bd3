#pragma once
// Answers the test's own modal dialogs while the code under test waits in them: a timer of a
// hidden window, run by the dialog's modal loop, finds the dialog, records what it shows and
// answers it from a script. A dialog that finds the script used up is cancelled, so a test never
// hangs. One driver at a time.
#include <deque>
#include <functional>
#include <vector>

#include "frontends/win32/modal_dialogs.h"

namespace stepwise::testing {

class DialogDriver {
public:
    explicit DialogDriver(std::deque<DialogAnswer> answers = {});
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Called with each dialog found, before it is answered.
    std::function<void(HWND)> onDialog;

    void add(DialogAnswer answer) { answers_.push_back(std::move(answer)); }
    // Stops answering; what was recorded stays.
    void stop();
    const std::vector<ShownDialog>& shown() const { return shown_; }
    std::vector<std::wstring> messages() const;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void poll();

    std::deque<DialogAnswer> answers_;
    std::vector<ShownDialog> shown_;
    HWND timerWindow_ = nullptr;
    HWND lastAnswered_ = nullptr;
    int waitedFor_ = 0;
};

}  // namespace stepwise::testing
