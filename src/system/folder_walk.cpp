#include "system/folder_walk.h"

#include <string>
#include <system_error>
#include <utility>

namespace stepwise {

namespace fs = std::filesystem;

namespace {

// What an entry that is not a link is, from the listing where it says.
fs::file_type kindOf(const fs::directory_entry& entry, std::error_code& error) {
    if (entry.is_directory(error)) return fs::file_type::directory;
    if (error) return fs::file_type::none;
    if (entry.is_regular_file(error)) return fs::file_type::regular;
    return error ? fs::file_type::none : fs::file_type::unknown;
}

}  // namespace

FolderWalk walkFolder(const fs::path& folder, const std::function<bool(const fs::path& name)>& wanted, int depthLimit) {
    FolderWalk walk;
    auto skip = [&](const fs::path& path, std::string reason, const std::error_code& error = {}) {
        if (error) reason += ": " + error.message();
        walk.skipped.push_back({path, std::move(reason), error.value()});
    };
    std::vector<std::pair<fs::path, int>> pending{{folder, 0}};
    while (!pending.empty()) {
        auto [path, depth] = std::move(pending.back());
        pending.pop_back();
        std::error_code error;
        fs::directory_iterator entry(path, error);
        if (error) {
            skip(path, "the folder cannot be read", error);
            continue;
        }
        for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
            // The kinds the folder's listing tells, asked of the system only where it does not.
            std::error_code kindError;
            const bool link = entry->is_symlink(kindError);
            const fs::file_status target = kindError ? fs::file_status() : link ? entry->status(kindError)
                                                                               : fs::file_status(kindOf(*entry, kindError));
            if (kindError) {
                skip(entry->path(), "what this is cannot be told", kindError);
            } else if (fs::is_directory(target)) {
                if (link) skip(entry->path(), "a link to a folder, not followed");
                else if (depth >= depthLimit) skip(entry->path(), "folders nested deeper than " + std::to_string(depthLimit) + ", not searched");
                else pending.emplace_back(entry->path(), depth + 1);
            } else if (fs::is_regular_file(target) && wanted(entry->path().filename())) {
                walk.files.push_back({entry->path(), link});
            }
        }
        if (error) skip(path, "the folder cannot be read to its end", error);
    }
    return walk;
}

}  // namespace stepwise
