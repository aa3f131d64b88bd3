#include "system/side_thread.h"

#include <system_error>

#ifndef _WIN32
#include <csignal>
#include <pthread.h>
#endif

namespace stepwise {

std::thread threadWithoutStopSignals(std::function<void()> body) {
#ifdef _WIN32
    try {
        return std::thread(std::move(body));
    } catch (const std::system_error&) {
        return std::thread();
    }
#else
    // A new thread starts with its creator's signal mask: blocked from its first instruction.
    sigset_t stopSignals, before;
    sigemptyset(&stopSignals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stopSignals, signal);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &before);
    std::thread thread;
    try {
        thread = std::thread(std::move(body));
    } catch (const std::system_error&) {
        // No thread to be had (a limit on processes or memory): the caller does the work itself.
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return thread;
#endif
}

}  // namespace stepwise
