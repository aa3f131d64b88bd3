#pragma once
// Runs the thread's messages for a while, as the program's message loop would, including the
// window's keyboard handling.
#include <functional>

namespace stepwise::win32 {
class MainWindow;
}

namespace stepwise::testing {

// Dispatches messages until `done` is true or `timeoutMs` have passed; whether `done` became true.
bool pumpUntil(win32::MainWindow* window, const std::function<bool()>& done, int timeoutMs = 3000);
// Dispatches what is queued now.
void pumpPending(win32::MainWindow* window);

}  // namespace stepwise::testing
