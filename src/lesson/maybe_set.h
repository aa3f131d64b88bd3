#pragma once
#include <optional>

namespace stepwise {

// A number or truth value that is unset until first assigned; unset counts as 0 (false).
template <typename T>
class MaybeSet {
public:
    MaybeSet& operator=(T value) {
        value_ = value;
        return *this;
    }
    operator T() const { return value_.value_or(T{}); }
    bool isSet() const { return value_.has_value(); }

private:
    std::optional<T> value_;
};

}  // namespace stepwise
