#include "author/assignment_input.h"

#include "system/whole_file.h"

namespace stepwise::author {

Result<Assignment> readAssignmentFile(const std::filesystem::path& path) {
    Result<WholeFile> file = readWholeFile(path, assignmentFileLimit);
    if (file.failure) return {{}, file.failure};
    return {readAssignment(file.value.bytes), std::nullopt};
}

}  // namespace stepwise::author
