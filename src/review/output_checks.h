#pragma once
// What the run checks of its outputs before it writes anything: each output must be a file (or
// for --feedback a folder) that can be replaced, in a folder that exists; no output may be another
// output or an input, whatever the spelling of their paths, nor have a name a later run would read
// as a hand-in.
#include <filesystem>
#include <string>

#include <vector>

#include "handin/handin_source.h"
#include "review/review_options.h"

namespace stepwise::review {

// The first thing wrong, naming the option and the reason; "" when the outputs are sound. `found`
// is what the PATHs hold (findHandinFiles).
std::string checkOutputs(const ReviewOptions& options, const std::vector<handin::HandinSource>& found);

// The lock file that guards the marks file: ".marks.csv.lock" beside the file it names.
std::filesystem::path marksLockPath(const std::filesystem::path& marks);

}  // namespace stepwise::review
