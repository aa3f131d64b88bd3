#pragma once
// Work done ahead on a second thread, taken in order: item i of n is made by `make(i)` while the
// caller is busy with the items before it. At most `depth` made items wait to be taken, so memory
// follows a few items, not all of them. Items done with are handed back (drop) to be freed by the
// thread that made them, so that the two threads do not contend for one another's memory. The
// thread that takes the items keeps the stop signals (Ctrl+C, SIGTERM) to itself: what they undo
// is its work.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

#include "system/side_thread.h"

namespace stepwise {

template <typename Item>
class ReadAhead {
public:
    ReadAhead(std::size_t count, std::function<Item(std::size_t)> make, std::size_t depth = 2)
        : count_(count), depth_(depth), make_(std::move(make)) {
        if (count_ > 0) worker_ = threadWithoutStopSignals([this] { work(); });
        alone_ = count_ > 0 && !worker_.joinable();  // no thread to be had: next() makes each item
    }
    ~ReadAhead() {
        {
            std::lock_guard<std::mutex> held(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        if (worker_.joinable()) worker_.join();
    }
    ReadAhead(const ReadAhead&) = delete;
    ReadAhead& operator=(const ReadAhead&) = delete;

    // The next item, waiting for it to be made; what making it threw is thrown here.
    Item next() {
        if (alone_) return make_(taken_++);
        std::unique_lock<std::mutex> held(mutex_);
        changed_.wait(held, [this] { return !made_.empty() || failure_; });
        if (made_.empty()) std::rethrow_exception(failure_);
        Item item = std::move(made_.front());
        made_.pop_front();
        held.unlock();
        changed_.notify_all();
        return item;
    }

    // An item taken and done with, freed by the thread that made it.
    void drop(Item item) {
        if (alone_) return;  // made on this thread: freed here
        std::lock_guard<std::mutex> held(mutex_);
        dropped_.push_back(std::move(item));
    }

private:
    void work() {
        std::deque<Item> done;
        for (std::size_t i = 0; i < count_; ++i) {
            {
                std::unique_lock<std::mutex> held(mutex_);
                changed_.wait(held, [this] { return made_.size() < depth_ || stopping_; });
                if (stopping_) return;
                done.swap(dropped_);
            }
            done.clear();
            try {
                Item item = make_(i);
                std::lock_guard<std::mutex> held(mutex_);
                made_.push_back(std::move(item));
            } catch (...) {
                std::lock_guard<std::mutex> held(mutex_);
                failure_ = std::current_exception();
                changed_.notify_all();
                return;
            }
            changed_.notify_all();
        }
    }

    const std::size_t count_, depth_;
    std::function<Item(std::size_t)> make_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Item> made_, dropped_;
    std::exception_ptr failure_;
    bool stopping_ = false;
    bool alone_ = false;
    std::size_t taken_ = 0;  // when alone: the items made so far
    std::thread worker_;
};

}  // namespace stepwise
