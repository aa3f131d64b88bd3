#include "review/csv_report.h"

#include <vector>

#include "review/csv.h"
#include "review/report_text.h"

namespace stepwise::review {

namespace {

std::string number(std::optional<int> value) { return value ? std::to_string(*value) : std::string(); }

std::vector<std::string> recordRow(const Student& student, const ClassRecord& entry) {
    const handin::Record& record = *entry.record;
    const handin::BlockId& block = record.blockId;
    return {
        reportUtf8(student.name),
        fileNameOf(entry.file->path),
        reportUtf8(entry.sessionData->lessonDate),
        std::to_string(entry.session),
        reportUtf8(record.time),
        record.kind == handin::RecordKind::response ? "response" : "notes",
        block.scriptIndex >= 0 ? std::to_string(block.scriptIndex) : std::string(),
        number(block.questionNumber),
        std::string(handin::blockKindName(block.kind)),
        reportUtf8(record.text),
        record.confidence ? reportUtf8(*record.confidence) : std::string(),
        record.selfCritique ? reportUtf8(*record.selfCritique) : std::string(),
        number(entry.seconds),
        std::string(),
    };
}

}  // namespace

std::string fileNameOf(const std::string& utf8Path) {
    const auto slash = utf8Path.find_last_of("/\\");
    return slash == std::string::npos ? utf8Path : utf8Path.substr(slash + 1);
}

std::string csvHeader() {
    std::string out(utf8ByteOrderMark);
    appendCsvRow(out, std::vector<std::string>(recordColumns.begin(), recordColumns.end()));
    return out;
}

std::string csvRows(const Student& student) {
    std::string out;
    for (const ClassRecord& entry : student.records) appendCsvRow(out, recordRow(student, entry));
    return out;
}

}  // namespace stepwise::review
