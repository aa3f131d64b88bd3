// Hand-ins as instructors download them from course sites and mail: renamed with the site's
// prefixes, resubmitted, copied, with receipts and online-text pages beside them, in a folder or in
// the site's "download all" zip. Each layout must give the class a clean folder of send_*.txt
// files gives: the same students and answers.
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <stdexcept>

#include "review/review_program_fixture.h"
#include "review/spreadsheet_csv_reader.h"
#include "support/zip_writer.h"

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::string>;  // path in the download -> bytes

class DownloadLayoutsTest : public ReviewProgramTest {
protected:
    // The sample class's SEND files by name.
    Files sendFiles() const {
        Files files;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder()))
            if (entry.path().filename().string().rfind("send_", 0) == 0)
                files[entry.path().filename().string()] = readBytes(entry.path());
        return files;
    }

    // The CSV's rows without the file column (the second), which names each file as found.
    static std::vector<std::vector<std::string>> rowsWithoutFile(const std::string& csv) {
        std::vector<std::vector<std::string>> rows = review::readSpreadsheetCsv(csv).rows;
        for (auto& row : rows)
            if (row.size() > 1) row.erase(row.begin() + 1);
        return rows;
    }

    // Each problem line of standard error, with the download's own place cut off the path.
    static std::multiset<std::string> problems(const std::string& err, const std::string& place) {
        std::multiset<std::string> lines;
        std::size_t start = 0;
        for (std::size_t end; (end = err.find('\n', start)) != std::string::npos; start = end + 1) {
            std::string line = err.substr(start, end - start);
            for (std::size_t at; (at = line.find(place)) != std::string::npos;) line.erase(at, place.size());
            lines.insert(line);
        }
        return lines;
    }

    void writeFolder(const fs::path& root, const Files& files) const {
        for (const auto& [name, bytes] : files) {
            fs::create_directories((root / name).parent_path());
            std::ofstream(root / name, std::ios::binary) << bytes;
        }
    }

    static std::string zipOf(const Files& files) {
        std::vector<ZipEntry> entries;
        for (const auto& [name, bytes] : files) entries.push_back({.name = "download/" + name, .content = bytes});
        return writeZip(entries);
    }
};

// The entry of the sample class's files whose name starts so.
const Files::value_type& fileStarting(const Files& files, const std::string& start) {
    for (const auto& file : files)
        if (file.first.rfind(start, 0) == 0) return file;
    throw std::logic_error("no file " + start);
}

// The file as the student had it before the last records were written: a prefix of its last
// session, which a resubmission goes on from.
std::string earlierCopy(const std::string& bytes) {
    // A record starts with the separator line followed by its time, indented.
    const std::string separator = "......!!!!!!!!...................................\r\n ";
    return bytes.substr(0, bytes.rfind(separator));
}

TEST_F(DownloadLayoutsTest, EveryLayoutGivesTheClassAsAFolderAndAsAZip) {
    const Files send = sendFiles();
    ASSERT_EQ(send.size(), 4u) << "Ann Lee on two days, Zoe and Cy";
    const ProgramRun clean = run({"--csv", output("clean.csv").string(), folder().string()});
    ASSERT_EQ(clean.status, 0) << clean.err;
    const auto expected = rowsWithoutFile(readBytes(output("clean.csv")));

    struct Layout {
        const char* what;
        std::function<Files(const Files&)> make;
        std::vector<std::string> reported;  // besides what the folder and the zip both report
    };
    const Layout layouts[] = {
        {"course-site prefixes, a -1 resubmission and LATE_",
         [](const Files& send) {
             Files files;
             int id = 12345;
             for (const auto& [name, bytes] : send) {
                 const std::string user = "user" + std::to_string(id++);
                 if (name == "send_1209Cy.txt") files["LATE_" + user + "_67890_" + name] = bytes;
                 else if (name != "send_1207Ann_Lee.txt") files[user + "_67890_" + name] = bytes;
             }
             const std::string ann = send.at("send_1207Ann_Lee.txt");
             files["leeann_12345_67890_send_1207Ann_Lee.txt"] = earlierCopy(ann);
             files["leeann_12345_67891_send_1207Ann_Lee-1.txt"] = ann;
             return files;
         },
         {"leeann_12345_67890_send_1207Ann_Lee.txt is an earlier copy of leeann_12345_67891_send_1207Ann_Lee-1.txt"}},
        {"attempt-dated names with receipts",
         [](const Files& send) {
             Files files;
             int minute = 10;
             for (const auto& [name, bytes] : send) {
                 const std::string attempt = "Assignment_student_attempt_2026-12-07-10-" + std::to_string(minute++) + "-00";
                 files[attempt + "_" + name] = bytes;
                 files[attempt + ".txt"] = "Name: a student\r\nAssignment: Rates\r\nDate Submitted: Monday\r\n";
             }
             return files;
         },
         {}},
        {"a folder per student with online-text pages",
         [](const Files& send) {
             Files files;
             int id = 100;
             for (const auto& [name, bytes] : send) {
                 const std::string folder = "Student " + std::to_string(id++) + "_assignsubmission_";
                 files[folder + "file_/" + name] = bytes;
                 files[folder + "onlinetext_/onlinetext.html"] = "<p>see the attached file</p>";
             }
             return files;
         },
         {}},
        {"mail-style (1) copies and a renamed hand-in",
         [](const Files& send) {
             Files files = send;
             const auto& [zoe, bytes] = fileStarting(send, "send_1207Zo");
             files[zoe.substr(0, zoe.size() - 4) + " (1).txt"] = bytes;
             files["send_1208ann_lee - Copy (2).txt"] = earlierCopy(send.at("send_1208Ann_Lee.txt"));
             files["answers.txt"] = send.at("send_1209Cy.txt");
             return files;
         },
         {"is an earlier copy of send_1208Ann_Lee.txt", "same content as",
          "answers.txt: begins with a lesson header, but its name does not say whose it is"}},
    };
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(layout.what);
        const Files files = layout.make(send);
        TempDir root;
        writeFolder(root.path() / "download", files);
        std::ofstream(root.path() / "class.zip", std::ios::binary) << zipOf(files);

        const ProgramRun inFolder = run({"--csv", (root.path() / "folder.csv").string(), (root.path() / "download").string()});
        const ProgramRun inZip = run({"--csv", (root.path() / "zip.csv").string(), (root.path() / "class.zip").string()});
        EXPECT_EQ(inFolder.status, layout.reported.empty() ? 0 : 1) << inFolder.err;
        EXPECT_EQ(inZip.status, inFolder.status) << inZip.err;
        EXPECT_EQ(rowsWithoutFile(readBytes(root.path() / "folder.csv")), expected);
        EXPECT_EQ(rowsWithoutFile(readBytes(root.path() / "zip.csv")), expected);
        for (const std::string& message : layout.reported) EXPECT_NE(inZip.err.find(message), std::string::npos) << inZip.err;
        EXPECT_EQ(problems(inFolder.err, (root.path() / "download").string()),
                  problems(inZip.err, (root.path() / "class.zip").string() + ":download"));
    }
}

// A download's zip, damaged in places: each bad entry is a problem naming the archive and the
// entry, and every other hand-in is read.
TEST_F(DownloadLayoutsTest, BadEntriesAreReportedAndTheRestRead) {
    const Files send = sendFiles();
    const std::string cy = send.at("send_1209Cy.txt");
    const std::string inner = writeZip({{.name = "send_1207Ann_Lee.txt", .content = send.at("send_1207Ann_Lee.txt")},
                                        {.name = "send_1208Ann_Lee.txt", .content = send.at("send_1208Ann_Lee.txt")}});
    const auto& [zoeName, zoe] = fileStarting(send, "send_1207Zo");
    const std::string zip = writeZip({
        {.name = "a/" + zoeName, .content = zoe},
        {.name = "a/inner.zip", .content = inner, .method = 0},
        {.name = "b/send_1209Cy.txt", .content = cy, .crc = 1},
        {.name = "b/send_1209Dee.txt", .content = cy, .flags = 1},
        {.name = "b/send_1209Eve.txt", .content = std::string(10'000'000, '\n')},
        {.name = "b/deeper.zip", .content = writeZip({{.name = "x.zip", .content = inner}}), .method = 0},
    });
    std::ofstream(output("class.zip"), std::ios::binary) << zip;
    std::ofstream(output("broken.zip"), std::ios::binary) << zip.substr(0, zip.size() / 2);
    const ProgramRun result = run({"--csv", output("class.csv").string(), output("class.zip").string(),
                                   output("broken.zip").string()});
    EXPECT_EQ(result.status, 1) << result.err;
    const std::string csv = readBytes(output("class.csv"));
    for (const char* student : {"Ann Lee", "Zo"}) EXPECT_NE(csv.find(student), std::string::npos) << student;
    EXPECT_NE(csv.find("\"Ann Lee\",\"inner.zip:send_1208Ann_Lee.txt\""), std::string::npos)
        << "a zip in the zip is read, and its rows say where\n" << csv.substr(0, 300);
    for (const char* message : {"class.zip:b/send_1209Cy.txt", "CRC", "class.zip:b/send_1209Dee.txt", "encrypted",
                                "class.zip:b/send_1209Eve.txt", "class.zip:b/deeper.zip:x.zip", "broken.zip"})
        EXPECT_NE(result.err.find(message), std::string::npos) << message << "\n" << result.err;
}

}  // namespace
}  // namespace stepwise::testing
