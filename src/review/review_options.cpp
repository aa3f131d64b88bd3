#include "review/review_options.h"

#include "stepwise_version.h"
#include "system/path_text.h"

namespace stepwise::review {

namespace {

// Takes the value of an option that needs one; false with an error when it is missing or given twice.
bool takeValue(const std::string& name, std::optional<std::filesystem::path>& target, const std::vector<std::string>& args,
               std::size_t& i, const std::string* inlineValue, std::string& error) {
    if (target) {
        error = name + " is given more than once";
        return false;
    }
    std::string value;
    if (inlineValue) {
        value = *inlineValue;
    } else if (i + 1 < args.size() && !(args[i + 1].size() > 1 && args[i + 1][0] == '-')) {
        value = args[++i];
    } else {
        error = name + " needs a file name";
        return false;
    }
    if (value.empty()) {
        error = name + " needs a file name";
        return false;
    }
    target = pathFromUtf8(value);
    return true;
}

// The option's place in the options, or nothing when it takes no path.
std::optional<std::filesystem::path>* pathOption(ReviewOptions& options, const std::string& name) {
    if (name == "--html") return &options.html;
    if (name == "--csv") return &options.csv;
    if (name == "--marks") return &options.marks;
    if (name == "--students-csv") return &options.studentsCsv;
    if (name == "--assignments-csv") return &options.assignmentsCsv;
    if (name == "--feedback") return &options.feedback;
    return nullptr;
}

}  // namespace

ParsedOptions parseReviewOptions(const std::vector<std::string>& args) {
    ParsedOptions parsed;
    ReviewOptions& options = parsed.options;
    // --help and --version win wherever they stand, whatever else is wrong.
    for (const std::string& arg : args) {
        if (arg == "--") break;
        options.help = options.help || arg == "--help" || arg == "-h";
        options.version = options.version || arg == "--version";
    }
    if (options.help || options.version) return parsed;
    bool onlyPaths = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (onlyPaths || arg.empty() || arg[0] != '-' || arg == "-") {
            if (arg.empty()) {
                parsed.error = "an empty PATH";
                return parsed;
            }
            options.paths.push_back(pathFromUtf8(arg));
            continue;
        }
        if (arg == "--") {
            onlyPaths = true;
            continue;
        }
        const auto equals = arg.find('=');
        const std::string name = arg.substr(0, equals);
        const std::string inlineValue = equals == std::string::npos ? std::string() : arg.substr(equals + 1);
        const std::string* value = equals == std::string::npos ? nullptr : &inlineValue;
        if (std::optional<std::filesystem::path>* target = pathOption(options, name)) {
            if (!takeValue(name, *target, args, i, value, parsed.error)) return parsed;
        } else if (name == "--assignment") {  // the one option that may be given again and again
            std::optional<std::filesystem::path> assignment;
            if (!takeValue(name, assignment, args, i, value, parsed.error)) return parsed;
            options.assignments.push_back(*assignment);
        } else if ((arg == "--help" || arg == "-h")) {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else {
            parsed.error = "unknown option " + arg;
            return parsed;
        }
    }
    if (options.paths.empty()) parsed.error = "no PATH given: name the hand-in files or the folders that hold them";
    return parsed;
}

std::string reviewUsage() {
    return "Usage: stepwise-review [--html FILE] [--csv FILE] [--marks FILE] [--students-csv FILE]\n"
           "                       [--assignments-csv FILE] [--feedback FOLDER]\n"
           "                       [--assignment FILE|FOLDER]... PATH...\n"
           "Reads a class's hand-in files (send_MMDD<name>.txt) and reports who answered what, how\n"
           "confident they were and how long they took.\n"
           "\n"
           "Each PATH is a hand-in file or a folder, searched with its subfolders for send_*.txt.\n"
           "\n"
           "  --html FILE   write the report as one self-contained web page\n"
           "  --csv FILE    write every record as a spreadsheet (CSV, UTF-8)\n"
           "  --marks FILE  read your marks from this spreadsheet (CSV: student, question,\n"
           "                confidence, mark, response, answer_key, assignment; mark 1 right,\n"
           "                0 wrong) and add the new answers to it; created when missing if FILE\n"
           "                ends in .csv. The report then shows the marks and certainty-based\n"
           "                marking (CBM) figures\n"
           "  --students-csv FILE\n"
           "                write one row per student with totals and marking figures (CSV)\n"
           "  --assignments-csv FILE\n"
           "                the same, one row per student and assignment, the assignment last\n"
           "  --feedback FOLDER\n"
           "                write one web page per student to send back: answers, marks, points\n"
           "                and how well their confidence matched their results\n"
           "  --assignment FILE|FOLDER\n"
           "                an assignment file the class worked (*.stepwise), or a folder of them;\n"
           "                may be given again for each. The built-in assignment is always known\n"
           "  --help        show this help and exit\n"
           "  --version     show the version and exit\n"
           "\n"
           "With no report file asked for, a summary per student is printed.\n"
           "Exit status: 0 when every file was read cleanly, 1 when some file had problems (the\n"
           "reports are still written and list them), 2 for a usage error or a report that cannot\n"
           "be written (or a marks file that cannot be read: it is left as it is).\n";
}

std::string reviewVersion() { return std::string("stepwise-review ") + stepwiseVersion + "\n"; }

}  // namespace stepwise::review
