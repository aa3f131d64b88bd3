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

    // Waits for the work; what it threw is thrown here.
    Result get() {
        thread_.join();
        return result_.get();
    }

private:
    std::packaged_task<Result()> task_;
    std::future<Result> result_;
    std::thread thread_;
};

}  // namespace stepwise
