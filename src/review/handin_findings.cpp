#include "review/handin_findings.h"

#include "review/csv_report.h"
#include "review/report_text.h"
#include "system/path_text.h"
#include "system/whole_file.h"

namespace stepwise::review {

namespace {

std::string findingOf(const handin::HandinFile& file) {
    const std::string name = fileNameOf(file.path);
    if (regularFileSize(pathFromUtf8(file.path)) == std::uintmax_t{0}) return name + " is empty";
    if (!file.sessions.empty())
        return name + " holds " + countOf(static_cast<long long>(file.sessions.size()), "lesson header",
                                          "lesson headers") + " and no answer";
    if (!file.problems.empty()) return name + " holds nothing that could be read as a lesson header or an answer";
    return name + " holds only blank lines";
}

}  // namespace

std::vector<std::string> emptyHandinFindings(const Student& student) {
    std::vector<std::string> findings;
    if (!student.records.empty()) return findings;
    for (const handin::HandinFile* file : student.files) findings.push_back(findingOf(*file));
    return findings;
}

}  // namespace stepwise::review
