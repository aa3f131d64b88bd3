#pragma once
// The command line of stepwise-review:
//   stepwise-review [--html FILE] [--csv FILE] [--marks FILE] [--students-csv FILE]
//                   [--assignments-csv FILE] [--feedback FOLDER] [--assignment FILE|FOLDER]... PATH...
//   stepwise-review --help | --version
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace stepwise::review {

struct ReviewOptions {
    std::optional<std::filesystem::path> html;
    std::optional<std::filesystem::path> csv;
    std::optional<std::filesystem::path> marks;         // the instructor's marks, read and kept up to date
    std::optional<std::filesystem::path> studentsCsv;
    std::optional<std::filesystem::path> assignmentsCsv;  // one row per student and assignment
    std::optional<std::filesystem::path> feedback;      // a folder for one page per student
    std::vector<std::filesystem::path> assignments;     // assignment files, or folders of them
    std::vector<std::filesystem::path> paths;
    bool help = false;
    bool version = false;

    // With neither report asked for, a summary goes to the terminal.
    bool terminalSummary() const { return !html && !csv && !studentsCsv && !assignmentsCsv && !feedback; }
};

struct ParsedOptions {
    ReviewOptions options;
    std::string error;                  // a usage error, "" when the command line is sound
};

// Arguments after the program name, as UTF-8. "--html=FILE" is taken as "--html FILE"; after
// "--" every argument is a PATH.
ParsedOptions parseReviewOptions(const std::vector<std::string>& arguments);

std::string reviewUsage();
std::string reviewVersion();

}  // namespace stepwise::review
