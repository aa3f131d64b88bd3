// Writes a sample class of hand-in files, as the student program writes them, into
// <folder>/qwelrand: the sample class with its damaged and hostile files, or with --generated N
// a generated class of N files (with --realistic N, of the size review_bench measures).
// Usage: stepwise_write_sample_class FOLDER [--generated N | --realistic N]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/sample_class.h"

int main(int argc, char** argv) {
    if (argc != 2 && !(argc == 4 && (std::string(argv[2]) == "--generated" || std::string(argv[2]) == "--realistic"))) {
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
    }
    return 0;
}
