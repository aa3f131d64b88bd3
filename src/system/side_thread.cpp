#include "system/side_thread.h"

#ifndef _WIN32
#include <csignal>
#include <pthread.h>
#endif

namespace stepwise {

std::thread threadWithoutStopSignals(std::function<void()> body) {
#ifdef _WIN32
    return std::thread(std::move(body));
#else
    // A new thread starts with its creator's signal mask: blocked from its first instruction.
    sigset_t stopSignals, before;
    sigemptyset(&stopSignals);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stopSignals, signal);
    pthread_sigmask(SIG_BLOCK, &stopSignals, &before);
    std::thread thread(std::move(body));
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return thread;
#endif
}

}  // namespace stepwise
