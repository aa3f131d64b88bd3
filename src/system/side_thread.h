#pragma once
// Threads beside the one that writes the outputs. Stop signals (Ctrl+C, SIGTERM) always reach
// that one, as what they undo is its work.
#include <functional>
#include <future>
#include <thread>
#include <utility>

namespace stepwise {

// Starts a thread that SIGINT, SIGTERM and SIGHUP never interrupt: they go to the threads that
// were there before. On Windows the console's events arrive on a thread of their own anyway.
// When the system gives no thread (a limit on processes or memory), the thread returned is not
// joinable and `body` has not run: the caller does the work on its own thread.
std::thread threadWithoutStopSignals(std::function<void()> body);

// One piece of work done on another thread while the caller does its own.
template <typename Result>
class WorkAside {
public:
    explicit WorkAside(std::function<Result()> work)
        : task_(std::move(work)), result_(task_.get_future()), thread_(threadWithoutStopSignals([this] { task_(); })) {}
    ~WorkAside() {
        if (thread_.joinable()) thread_.join();
    }
    WorkAside(const WorkAside&) = delete;
    WorkAside& operator=(const WorkAside&) = delete;

    // Waits for the work (done here when no thread could be started); what it threw is thrown here.
    Result get() {
        if (thread_.joinable()) thread_.join();
        else if (!ran_) task_();
        ran_ = true;
        return result_.get();
    }

private:
    std::packaged_task<Result()> task_;
    std::future<Result> result_;
    std::thread thread_;
    bool ran_ = false;
};

}  // namespace stepwise
