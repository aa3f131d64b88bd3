#pragma once
#include <array>

#include "format/text.h"

namespace stepwise {

// The lesson script: 5001 lines, indices 0 to 5000, one block per line. Any other index is refused.
class ScriptTable {
public:
    static constexpr int firstIndex = 0;
    static constexpr int lastIndex = 5000;

    static bool holds(int index) { return index >= firstIndex && index <= lastIndex; }
    // Throws std::out_of_range for an index outside 0..5000.
    const Text& at(int index) const;
    Text& at(int index);

private:
    std::array<Text, lastIndex + 1> lines_;
};

}  // namespace stepwise
