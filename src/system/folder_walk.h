#pragma once
// Searching a folder and the folders in it for files, with memory that does not grow with their
// depth and with every folder that could not be searched named.
#include <filesystem>
#include <functional>
#include <vector>

#include "system/system.h"

namespace stepwise {

// How deep a search goes below the folder it starts in.
inline constexpr int folderDepthLimit = 64;

struct FoundFile {
    std::filesystem::path path;
    bool link = false;  // a link to a file, not the file itself
};

struct FolderWalk {
    std::vector<FoundFile> files;  // in the order found
    // What was not searched, each with its reason: a folder that cannot be read (or read to its
    // end), a link to a folder (not followed, as it may lead back up), a folder deeper than the
    // limit, an entry whose kind cannot be told.
    std::vector<SystemError> skipped;
};

// The regular files under `folder` whose name `wanted` takes, a link to a file taken as the file.
// The folders are searched one at a time from a list, not by recursion.
FolderWalk walkFolder(const std::filesystem::path& folder,
                      const std::function<bool(const std::filesystem::path& name)>& wanted,
                      int depthLimit = folderDepthLimit);

}  // namespace stepwise
