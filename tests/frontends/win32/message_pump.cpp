#include "frontends/win32/message_pump.h"

#include <windows.h>

#include "frontends/win32/main_window.h"

namespace stepwise::testing {

namespace {

void dispatchQueued(win32::MainWindow* window) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;  // a test's own loop ends by its condition
        if (window && window->handleDialogKey(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

bool pumpUntil(win32::MainWindow* window, const std::function<bool()>& done, int timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    while (!done()) {
        if (GetTickCount64() >= deadline) return false;
        dispatchQueued(window);
        if (!done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

void pumpPending(win32::MainWindow* window) { dispatchQueued(window); }

}  // namespace stepwise::testing
