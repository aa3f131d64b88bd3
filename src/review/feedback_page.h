#pragma once
// The page sent back to one student (--feedback FOLDER): each question with their answer, the
// mark, their confidence and the points, and their calibration chart with a sentence on what it
// shows. One self-contained HTML file per student: no script, no network, no other files.
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "format/text.h"
#include "review/cbm.h"

namespace stepwise::review {

struct FeedbackItem {
    int question = 0;
    std::string questionText;     // the question as the student saw it (UTF-8)
    std::string answer;           // the answer the mark is for, line breaks as CR LF
    std::string confidence;       // as typed
    Mark mark = Mark::unmarked;
    bool answeredAgain = false;   // the student answered again after this answer was marked
    std::string assignment;       // the assignment's header line; "" for the built-in one
};

struct FeedbackStudent {
    std::string name;
    std::vector<FeedbackItem> items;   // by assignment, each one's by question
    std::string page;                  // the page's file name; "" for feedbackFileName(name)
    // When the student's hand-ins hold no answer at all: what each file was found to hold, said
    // in place of a score.
    std::vector<std::string> emptyHandins;
};

// The figures of the marked items.
CbmFigures feedbackFigures(const FeedbackStudent& student);

std::string feedbackPageHtml(const FeedbackStudent& student);

// "Ann_Lee.html": the name with each character that is not a letter, a digit, - or _ as an
// underscore. A name that gives nothing, or one that Windows keeps for a device (CON, PRN, AUX,
// NUL, COM1-9, LPT1-9, in any case), gets a leading underscore.
std::string feedbackFileName(std::string_view student);

// Gives each student of one run a page name of their own: feedbackFileName, with -2, -3 ... where
// an earlier student's page, or one of the names kept out (the run's other outputs in the same
// folder), has it already, letter case aside as Windows and macOS folders compare names.
class FeedbackPageNames {
public:
    explicit FeedbackPageNames(const std::vector<std::string>& keptOut = {});
    std::string next(std::string_view student);

private:
    std::set<Text> taken_;
};

// The link from a report at `report` to the page `page` of the folder `folder`: a relative URL,
// with every byte outside letters, digits and - _ . / percent-encoded; "" without a page.
std::string feedbackLink(const std::filesystem::path& report, const std::filesystem::path& folder,
                         std::string_view page);

// Writes one page per student into `folder`, creating it when missing. Returns what went wrong,
// naming the folder or the page, "" when nothing.
std::string writeFeedbackPages(const std::filesystem::path& folder, const std::vector<FeedbackStudent>& students);

}  // namespace stepwise::review
