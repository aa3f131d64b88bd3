#pragma once

#include <string>
#include <vector>

namespace stepwise {

// The script lines of assignment "001.  Rates", in script order: element 0 is script line 1 (the header),
// element 48 is script line 49 ("end program").
const std::vector<std::u16string>& builtinAssignment();

}  // namespace stepwise
