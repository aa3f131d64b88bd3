#include "frontends/win32/dialog_driver.h"

namespace stepwise::testing {

namespace {

constexpr wchar_t className[] = L"StepwiseTestDialogDriver";
constexpr UINT_PTR pollTimer = 1;
constexpr UINT pollMs = 20;

}  // namespace

DialogDriver::DialogDriver(std::deque<DialogAnswer> answers) : answers_(std::move(answers)) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW cls{};
    if (!GetClassInfoExW(instance, className, &cls)) {
        cls.cbSize = sizeof cls;
        cls.lpfnWndProc = windowProc;
        cls.hInstance = instance;
        cls.lpszClassName = className;
        RegisterClassExW(&cls);
    }
    timerWindow_ = CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetTimer(timerWindow_, pollTimer, pollMs, nullptr);
}

DialogDriver::~DialogDriver() {
    stop();
    if (timerWindow_) DestroyWindow(timerWindow_);
}

void DialogDriver::stop() {
    if (timerWindow_) KillTimer(timerWindow_, pollTimer);
}

std::vector<std::wstring> DialogDriver::messages() const {
    std::vector<std::wstring> all;
    for (const ShownDialog& dialog : shown_) all.push_back(dialog.message);
    return all;
}

void DialogDriver::poll() {
    for (HWND dialog : openDialogs(GetCurrentProcessId())) {
        // Its answer is on its way; a dialog that ignores it for long is closed.
        if (dialog == lastAnswered_ && ++waitedFor_ < 50) continue;
        if (dialog == lastAnswered_) {
            answerDialog(dialog, DialogAnswer::close());
            continue;
        }
        waitedFor_ = 0;
        ShownDialog shown = describeDialog(dialog);
        if (onDialog) onDialog(dialog);
        DialogAnswer answer = DialogAnswer::cancel();
        if (answers_.empty()) {
            shown.answered = false;
        } else {
            answer = answers_.front();
            answers_.pop_front();
        }
        lastAnswered_ = dialog;
        shown.finalEntry = answerDialog(dialog, answer);
        shown_.push_back(shown);
        return;  // one dialog per tick: the next one appears only after this one closes
    }
}

LRESULT CALLBACK DialogDriver::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == pollTimer) {
        if (auto* driver = reinterpret_cast<DialogDriver*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) driver->poll();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace stepwise::testing
