#pragma once

namespace stepwise {

// Thrown by endProgram and caught where the event entered the window, so that no later step of
// the handler that ended the program can run.
struct ProgramEnded {};

// Ends the program at once: nothing after the call runs. The window closes every open file and
// itself when it catches the end.
[[noreturn]] inline void endProgram() { throw ProgramEnded{}; }

}  // namespace stepwise
