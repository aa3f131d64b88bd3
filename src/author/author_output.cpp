#include "author/author_output.h"

#include "author/preview_page.h"
#include "system/atomic_file_replace.h"
#include "system/output_set.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise::author {

namespace {

// A file this program wrote as a preview begins with the doctype and the preview's mark.
bool isEarlierPreview(const std::filesystem::path& path) {
    const std::string opening = "<!DOCTYPE html>\n" + std::string(previewMark);
    const Result<WholeFile> file = readWholeFile(path, anySize);
    return !file.failure && file.value.bytes.compare(0, opening.size(), opening) == 0;
}

}  // namespace

std::string writeOutput(const std::filesystem::path& path, std::string_view bytes, Replacing replacing, bool force) {
    const std::string name = utf8Path(path);
    const OutputState state = outputState(path);
    if (state.kind == OutputKind::folder || state.kind == OutputKind::other)
        return name + " is not a file that can be written";
    if (state.kind == OutputKind::regularFile && !force &&
        !(replacing == Replacing::earlierPreview && isEarlierPreview(path)))
        return name + " already exists; add --force to replace it";
    if (const Status failed = replaceFileAtomically(path, bytes))
        return "cannot write " + name + ": " + failed->reason;
    return "";
}

}  // namespace stepwise::author
