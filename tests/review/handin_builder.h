#pragma once
// Hand-made hand-in files for the tests of the class model and the reports.
#include <string>
#include <utility>
#include <vector>

#include "handin/handin_file.h"

namespace stepwise::testing {

inline handin::Record responseAt(const char* time, int question, const char* text = "an answer",
                                 const char* confidence = "2") {
    handin::Record record;
    record.time = fromUtf8(time);
    record.block = fromUtf8("`q" + std::string(question < 10 ? "00" : "0") + std::to_string(question) + ".  a question");
    record.blockId = {question * 4 + 2, question, handin::BlockKind::question};
    record.text = text;
    record.confidence = fromUtf8(confidence);
    return record;
}

inline handin::Record notesAt(const char* time, const char* text = "a note") {
    handin::Record record;
    record.kind = handin::RecordKind::notes;
    record.time = fromUtf8(time);
    record.date = u"12-07-2026";
    record.block = u"a block";
    record.text = text;
    return record;
}

inline handin::Session session(std::vector<handin::Record> records, const char* date = "12-07-2026") {
    handin::Session s;
    s.assignment = u"assignment #001";
    s.lessonDate = fromUtf8(date);
    s.records = std::move(records);
    return s;
}

inline handin::HandinFile handinFile(const char* path, const char* student, int month, int day,
                                     std::vector<handin::Session> sessions) {
    handin::HandinFile file;
    file.path = path;
    file.name = {fromUtf8(student), month, day};
    file.sessions = std::move(sessions);
    file.sizeRead = 1000;
    return file;
}

}  // namespace stepwise::testing
