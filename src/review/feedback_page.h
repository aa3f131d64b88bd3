#pragma once
// The page sent back to one student (--feedback FOLDER): each question with their answer, the
// mark, their confidence and the points, and their calibration chart with a sentence on what it
// shows. One self-contained HTML file per student: no script, no network, no other files.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "review/cbm.h"

namespace stepwise::review {

struct FeedbackItem {
    int question = 0;
    std::string questionText;     // the question as the student saw it (UTF-8)
    std::string answer;           // the answer the mark is for, line breaks as CR LF
    std::string confidence;       // as typed
    Mark mark = Mark::unmarked;
    bool answeredAgain = false;   // the student answered again after this answer was marked
};

struct FeedbackStudent {
    std::string name;
    std::vector<FeedbackItem> items;   // by question
};

// The figures of the marked items.
CbmFigures feedbackFigures(const FeedbackStudent& student);

std::string feedbackPageHtml(const FeedbackStudent& student);

// "Ann_Lee.html": the name with blanks and characters a file name cannot hold as underscores.
std::string feedbackFileName(std::string_view student);

// Writes one page per student into `folder`, creating it when missing. Returns what went wrong,
// naming the folder or the page, "" when nothing.
std::string writeFeedbackPages(const std::filesystem::path& folder, const std::vector<FeedbackStudent>& students);

}  // namespace stepwise::review
