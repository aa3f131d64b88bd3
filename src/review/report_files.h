#pragma once
// The report files on disk. Both are written in binary mode, so every system writes the same
// bytes. The HTML report lists the students' sections after the class overview, which is known
// only once every student is read: the sections go to a scratch file beside the report as each
// student is read, and are copied into the report at the end.
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "review/class_review.h"
#include "review/csv_report.h"
#include "review/marks_report.h"

namespace stepwise::review {

// One output file: opened (created or emptied) up front, written, closed with a check that
// everything reached the disk; removed again when the run fails.
class OutputFile {
public:
    bool open(const std::filesystem::path& path, std::string& error);
    void write(std::string_view bytes) { stream_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); }
    std::ofstream& stream() { return stream_; }
    bool close(std::string& error);
    void discard();
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::ofstream stream_;
};

class CsvReportFile {
public:
    bool open(const std::filesystem::path& path, std::string& error);
    void addStudent(const Student& student, const RecordMarks& marks = {});
    bool finish(std::string& error) { return file_.close(error); }
    void discard() { file_.discard(); }

private:
    OutputFile file_;
};

class HtmlReportFile {
public:
    bool open(const std::filesystem::path& path, std::string& error);
    void addStudent(const Student& student, const StudentSummary& summary, const StudentMarks* marks = nullptr);
    bool finish(const ClassReview& review, std::string& error, const MarksReport* marks = nullptr);
    void discard();

private:
    OutputFile report_;
    OutputFile students_;  // the scratch file of student sections
};

}  // namespace stepwise::review
