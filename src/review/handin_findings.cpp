#include "review/handin_findings.h"

#include <functional>
#include <string_view>

#include "review/csv_report.h"
#include "review/report_text.h"

namespace stepwise::review {

namespace {

// The file was read and held no bytes at all (on disk or in an archive).
bool readAsEmpty(const handin::HandinFile& file) { return file.sizeRead == 0u; }

std::string findingOf(const handin::HandinFile& file) {
    const std::string name = fileNameOf(file.path);
    if (readAsEmpty(file)) return name + " is empty";
    if (!file.sessions.empty())
        return name + " holds " + countOf(static_cast<long long>(file.sessions.size()), "lesson header",
                                          "lesson headers") + " and no answer";
    return name + " holds nothing that could be read as a lesson header or an answer";
}

}  // namespace

std::vector<std::string> emptyHandinFindings(const Student& student) {
    std::vector<std::string> findings;
    if (!student.records.empty()) return findings;
    for (const handin::HandinFile* file : student.files) findings.push_back(findingOf(*file));
    return findings;
}

}  // namespace stepwise::review
