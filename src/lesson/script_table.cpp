#include "lesson/script_table.h"

#include <stdexcept>
#include <string>

namespace stepwise {

const Text& ScriptTable::at(int index) const {
    if (!holds(index)) throw std::out_of_range("script line " + std::to_string(index) + " is outside 0..5000");
    return lines_[static_cast<std::size_t>(index)];
}

Text& ScriptTable::at(int index) { return const_cast<Text&>(static_cast<const ScriptTable&>(*this).at(index)); }

}  // namespace stepwise
