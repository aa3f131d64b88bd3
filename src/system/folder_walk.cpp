#include "system/folder_walk.h"

#include <string>
#include <system_error>
#include <utility>

namespace stepwise {

namespace fs = std::filesystem;

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
            std::error_code kindError;
            const fs::file_status own = entry->symlink_status(kindError);
            const fs::file_status target = fs::is_symlink(own) ? entry->status(kindError) : own;
            if (kindError) {
                skip(entry->path(), "what this is cannot be told", kindError);
            } else if (fs::is_directory(target)) {
                if (fs::is_symlink(own)) skip(entry->path(), "a link to a folder, not followed");
                else if (depth >= depthLimit) skip(entry->path(), "folders nested deeper than " + std::to_string(depthLimit) + ", not searched");
                else pending.emplace_back(entry->path(), depth + 1);
            } else if (fs::is_regular_file(target) && wanted(entry->path().filename())) {
                walk.files.push_back({entry->path(), fs::is_symlink(own)});
            }
        }
        if (error) skip(path, "the folder cannot be read to its end", error);
    }
    return walk;
}

}  // namespace stepwise
