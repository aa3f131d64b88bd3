#include "system/whole_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace stepwise {

namespace fs = std::filesystem;

namespace {

Result<WholeFile> failed(const fs::path& path, std::string reason, int code) {
    return {{}, SystemError{path, std::move(reason), code}};
}

Result<WholeFile> failed(const fs::path& path, int code) {
    return failed(path, std::generic_category().message(code), code);
}

Result<WholeFile> tooLarge(const fs::path& path, std::uintmax_t limit) {
    return failed(path, "it is larger than " + std::to_string(limit) + " bytes", EFBIG);
}

// What a path names, symbolic links followed: its kind, and its size when it is a regular file.
// Not found, as well, when it cannot be looked at; opening it then tells why.
struct Found {
    fs::file_type type = fs::file_type::not_found;
    std::uintmax_t size = 0;
};

// One look-up where the standard library takes two (kind, then size): a class's files are many.
Found lookUp(const fs::path& path) {
#ifdef _WIN32
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (!fs::exists(status)) return {};
    Found found{status.type(), 0};
    if (found.type == fs::file_type::regular) found.size = fs::file_size(path, error);
    if (error) return {};
    return found;
#else
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) return {};
    if (S_ISREG(status.st_mode)) return {fs::file_type::regular, static_cast<std::uintmax_t>(status.st_size)};
    return {S_ISDIR(status.st_mode) ? fs::file_type::directory : fs::file_type::unknown, 0};
#endif
}

}  // namespace

Result<WholeFile> readWholeFile(const fs::path& path, std::uintmax_t limit) {
    // A path that does not exist is left to the opening, which tells why.
    const Found found = lookUp(path);
    if (found.type == fs::file_type::directory) return failed(path, EISDIR);
    if (found.type != fs::file_type::not_found && found.type != fs::file_type::regular)
        return failed(path, "it is not a regular file", 0);
    if (found.size > limit) return tooLarge(path, limit);

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return failed(path, errno ? errno : ENOENT);
    // One read of the size the file has, then whatever follows: a file may grow while it is read,
    // and some files report no size.
    Result<WholeFile> read;
    std::string& bytes = read.value.bytes;
    bytes.resize(static_cast<std::size_t>(found.size));
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    char piece[1 << 16];
    while (!in.bad() && !in.eof() && bytes.size() <= limit) {
        in.read(piece, sizeof piece);
        bytes.append(piece, static_cast<std::size_t>(in.gcount()));
    }
    if (bytes.size() > limit) return tooLarge(path, limit);
    if (in.bad()) {
        const int error = errno ? errno : EIO;
        read.value.brokeOff = true;
        read.failure = SystemError{path, std::generic_category().message(error), error};
    }
    return read;
}

}  // namespace stepwise

namespace stepwise {

std::optional<std::uintmax_t> regularFileSize(const fs::path& path) {
    const Found found = lookUp(path);
    if (found.type != fs::file_type::regular) return std::nullopt;
    return found.size;
}

}  // namespace stepwise
