#pragma once
// Writing the author's tool's outputs: in one step (never seen half written) and never over a
// file the author did not ask to replace.
#include <filesystem>
#include <string>
#include <string_view>

namespace stepwise::author {

enum class Replacing {
    onlyWithForce,      // an existing file stays unless --force is given
    earlierPreview,     // an earlier preview is replaced; any other file needs --force
};

// Writes `bytes` to `path`; "" when done, otherwise why not, in the author's words.
std::string writeOutput(const std::filesystem::path& path, std::string_view bytes, Replacing replacing, bool force);

}  // namespace stepwise::author
