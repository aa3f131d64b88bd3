// Writes a sample class of hand-in files, as the student program writes them, into
// <folder>/qwelrand: the sample class with its damaged and hostile files, or with --generated N
// a generated class of N files (with --realistic N, of the size review_bench measures). The sample
// class is also written as a download: <folder>/class.zip, and beside it a class that works an
// assignment file, with marks from before assignments were named (writeMixedClass).
// Usage: stepwise_write_sample_class FOLDER [--generated N | --realistic N]
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/fake_platform.h"
#include "support/sample_class.h"
#include "support/zip_writer.h"

// The same files as a course site's "download all": <folder>/class.zip, each file under "qwelrand/".
void writeDownload(const std::filesystem::path& root) {
    std::vector<stepwise::testing::ZipEntry> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / "qwelrand"))
        if (entry.is_regular_file())
            entries.push_back({.name = entry.path().lexically_relative(root).generic_string(),
                               .content = stepwise::testing::readBytes(entry.path())});
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    std::ofstream(root / "class.zip", std::ios::binary) << stepwise::testing::writeZip(entries);
}

int main(int argc, char** argv) {
    // A folder named like an option is a mistyped option, not a place to write a class into.
    if ((argc != 2 && !(argc == 4 && (std::string(argv[2]) == "--generated" || std::string(argv[2]) == "--realistic"))) ||
        argv[1][0] == '-') {
        std::fputs("usage: stepwise_write_sample_class FOLDER [--generated N | --realistic N]\n", stderr);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    std::filesystem::create_directories(root);
    if (argc == 4 && std::string(argv[2]) == "--realistic") {
        stepwise::testing::writeRealisticClass(root, std::atoi(argv[3]));
    } else if (argc == 4) {
        stepwise::testing::writeGeneratedClass(root, std::atoi(argv[3]));
    } else {
        stepwise::testing::writeSampleClass(root);
        stepwise::testing::writeDamagedHandins(root / "qwelrand");
        writeDownload(root);
        stepwise::testing::writeMixedClass(root);
    }
    return 0;
}
