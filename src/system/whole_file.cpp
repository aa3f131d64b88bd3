#include "system/whole_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

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

}  // namespace

Result<WholeFile> readWholeFile(const fs::path& path, std::uintmax_t limit) {
    // A path that does not exist is left to the opening, which tells why.
    std::error_code statusError;
    const fs::file_status status = fs::status(path, statusError);
    if (status.type() == fs::file_type::directory) return failed(path, EISDIR);
    if (fs::exists(status) && !fs::is_regular_file(status)) return failed(path, "it is not a regular file", 0);
    std::error_code sizeError;
    const std::uintmax_t size = fs::exists(status) ? fs::file_size(path, sizeError) : 0;
    if (!sizeError && size > limit) return tooLarge(path, limit);

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) return failed(path, errno ? errno : ENOENT);
    // One read of the size the file has, then whatever follows: a file may grow while it is read,
    // and some files report no size.
    Result<WholeFile> read;
    std::string& bytes = read.value.bytes;
    bytes.resize(sizeError ? 0 : static_cast<std::size_t>(size));
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
    std::error_code error;
    if (!fs::is_regular_file(fs::status(path, error)) || error) return std::nullopt;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error) return std::nullopt;
    return size;
}

}  // namespace stepwise
