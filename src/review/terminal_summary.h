#pragma once
// The class summary printed when no report file is asked for: one line per student.
#include <string>

#include "review/class_summary.h"

namespace stepwise::review {

std::string terminalSummary(const ClassSummary& summary);

}  // namespace stepwise::review
