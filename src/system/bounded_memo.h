#pragma once
// Results made once and kept for the process, a bounded few: a class's records hold the same few
// blocks again and again, but files edited by hand could hold as many as records, each as long
// as a hand-in may be. The kept keys' sizes add up to at most `mostSize`, and no more than
// `mostKept` are kept; past either, all are dropped and keeping starts again. One for the
// process, under a lock, not one a thread: a thread's own would be destroyed as the thread ends,
// which the static Windows build does not do safely.
#include <cstddef>
#include <functional>
#include <mutex>
#include <unordered_map>

namespace stepwise {

template <typename Key, typename Value, typename Hash, typename Equal = std::equal_to<>>
class BoundedMemo {
public:
    BoundedMemo(std::size_t mostKept, std::size_t mostSize) : mostKept_(mostKept), mostSize_(mostSize) {}

    // The value kept for `key` (of size `size`), else `make()`, kept when it fits.
    template <typename Lookup, typename Make>
    Value get(const Lookup& key, std::size_t size, Make make) {
        const std::lock_guard<std::mutex> held(lock_);
        if (const auto found = kept_.find(key); found != kept_.end()) return found->second;
        if (size > mostSize_) return make();
        if (kept_.size() >= mostKept_ || keptSize_ + size > mostSize_) {
            kept_.clear();
            keptSize_ = 0;
        }
        keptSize_ += size;
        return kept_.emplace(Key(key), make()).first->second;
    }

private:
    const std::size_t mostKept_, mostSize_;
    std::mutex lock_;
    std::unordered_map<Key, Value, Hash, Equal> kept_;
    std::size_t keptSize_ = 0;  // the sizes of the keys in `kept_`
};

}  // namespace stepwise
