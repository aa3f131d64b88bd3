// Hand-ins that look alike and folders that cannot be read to the end, run through the built
// stepwise-review over a sample class: each row sets the class up, runs the program and checks
// its exit status, what it reports and who is in the CSV.
#ifndef _WIN32
#include <unistd.h>
#endif

#include <fstream>
#include <functional>

#include "format/cp1252.h"
#include "format/utf8.h"
#include "review/review_program_fixture.h"
#include "support/zip_writer.h"

namespace {

// Root reads every file whatever its permissions: run as root, the rows that take permissions
// away run the program as the unprivileged user "nobody" instead.
bool runningAsRoot() {
#ifdef _WIN32
    return false;
#else
    return geteuid() == 0;
#endif
}

constexpr const char* nobody = "65534";

// Lets the unprivileged user into the whole tree and to write there.
void openToEveryone(const std::filesystem::path& root) {
    namespace fs = std::filesystem;
    fs::permissions(root, fs::perms::all, fs::perm_options::add);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        if (!entry.is_symlink()) fs::permissions(entry.path(), fs::perms::all, fs::perm_options::add);
}

}  // namespace

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;

class LookalikeHandinsTest : public ReviewProgramTest {};

// Whether a row of the CSV is the student's, the cell quoted or not.
bool hasStudent(const std::string& csv, const std::string& name) {
    return csv.find("\n" + name + ",") != std::string::npos || csv.find("\n\"" + name + "\",") != std::string::npos;
}

std::size_t count(const std::string& text, const std::string& piece) {
    std::size_t n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++n;
    return n;
}

TEST_F(LookalikeHandinsTest, HostileClassesAreReportedAndNoStudentIsLost) {
    struct Row {
        const char* what;
        std::function<std::vector<std::string>(const fs::path& folder, const fs::path& root)> setUp;  // gives the PATHs
        int status;
        std::vector<std::string> reported;  // in what the program writes to stderr
        std::vector<std::string> students;  // with rows in the CSV
        std::vector<std::string> absent;    // with none
        std::size_t identicalSections = 0;  // students' sections in the HTML that name a pair
        bool needsPermissions = false;      // root reads any folder
    };
    const fs::path ann = "send_1207Ann_Lee.txt", cy = "send_1209Cy.txt";
    const std::vector<Row> rows = {
        {"two students hand in the same bytes",
         [&](const fs::path& f, const fs::path&) {
             fs::copy_file(f / ann, f / "send_1207Bob.txt");
             return std::vector<std::string>{f.string()};
         },
         1, {"send_1207Bob.txt: identical hand-ins: Ann Lee, Bob", "send_1207Ann_Lee.txt: identical hand-ins: Ann Lee, Bob"},
         {"Ann Lee", "Bob"}, {}, 2},
        {"one student's copy in another folder counts once",
         [&](const fs::path& f, const fs::path&) {
             fs::create_directories(f / "again");
             fs::copy_file(f / ann, f / "again" / ann);
             return std::vector<std::string>{f.string()};
         },
         1, {"same content as"}, {"Ann Lee"}, {}},
        {"a hand-in over 64 MB is not read",
         [&](const fs::path& f, const fs::path&) {
             std::ofstream(f / "send_1207Big.txt").put('x');
             fs::resize_file(f / "send_1207Big.txt", (std::uintmax_t{64} << 20) + 1);
             return std::vector<std::string>{f.string()};
         },
         1, {"send_1207Big.txt: the file is larger than 64 MB"}, {"Ann Lee", "Cy"}, {}},
        {"a link to a folder found in the walk is not followed",
         [&](const fs::path& f, const fs::path& root) {
             fs::create_directories(root / "elsewhere");
             fs::rename(f / cy, root / "elsewhere" / cy);
             fs::create_directory_symlink(root / "elsewhere", f / "linked");
             return std::vector<std::string>{f.string()};
         },
         1, {"linked: a link to a folder, not followed"}, {"Ann Lee"}, {"Cy"}},
        {"a PATH that is a link to a folder is followed",
         [&](const fs::path& f, const fs::path& root) {
             fs::create_directory_symlink(f, root / "class-link");
             return std::vector<std::string>{(root / "class-link").string()};
         },
         0, {}, {"Ann Lee", "Cy"}, {}},
        {"folders deeper than 64 are reported, not searched",
         [&](const fs::path& f, const fs::path&) {
             fs::path deep = f;
             for (int depth = 1; depth <= 66; ++depth) {
                 deep /= "d";
                 if (depth == 64) fs::create_directories(deep), fs::rename(f / cy, deep / cy);
             }
             fs::create_directories(deep);
             fs::copy_file(deep.parent_path().parent_path() / cy, deep / "send_1209Deep.txt");
             return std::vector<std::string>{f.string()};
         },
         1, {"folders nested deeper than 64, not searched"}, {"Ann Lee", "Cy"}, {"Deep"}},
        {"identical pairs in two zips in a zip, looked through on two threads",
         [&](const fs::path& f, const fs::path& root) {
             // Each zip's pairs get sizes of their own, every other size the other zip's: the two
             // threads each read one zip, whose entries share one inflated zip at a time.
             const std::string handin = readBytes(f / ann);
             std::vector<testing::ZipEntry> zips;
             for (int zip = 0; zip < 2; ++zip) {
                 std::vector<testing::ZipEntry> pairs;
                 for (int pair = 0; pair < 12; ++pair) {
                     std::string bytes = handin + "\r\n";
                     std::uint32_t state = static_cast<std::uint32_t>(2 * pair + zip);
                     for (int i = 0; i < 60000 + 2 * pair + zip; ++i)
                         bytes += static_cast<char>('a' + (state = state * 1103515245u + 12345u) % 26);
                     for (const char* copy : {"a", "b"})
                         pairs.push_back({.name = "send_1207Z" + std::to_string(zip) + "_" + std::to_string(pair) + copy + ".txt",
                                          .content = bytes});
                 }
                 zips.push_back({.name = "zip" + std::to_string(zip) + ".zip", .content = testing::writeZip(pairs), .method = 0});
             }
             std::ofstream(root / "classes.zip", std::ios::binary) << testing::writeZip(zips);
             return std::vector<std::string>{(root / "classes.zip").string()};
         },
         1, {"zip0.zip:send_1207Z0_11b.txt: identical hand-ins: Z0 11a, Z0 11b"}, {"Z0 0a", "Z1 11b"}, {"Ann Lee"}, 48},
        {"a folder that cannot be read",
         [&](const fs::path& f, const fs::path&) {
             fs::create_directories(f / "locked");
             fs::rename(f / cy, f / "locked" / cy);
             fs::permissions(f / "locked", fs::perms::none);
             return std::vector<std::string>{f.string()};
         },
         1, {"locked: the folder cannot be read: Permission denied"}, {"Ann Lee"}, {"Cy"}, 0, true},
        {"a hand-in that cannot be read",
         [&](const fs::path& f, const fs::path&) {
             fs::permissions(f / ann, fs::perms::none);
             return std::vector<std::string>{f.string()};
         },
         1, {"send_1207Ann_Lee.txt: the file cannot be read: Permission denied"}, {"Cy"}, {}, 0, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
#ifdef _WIN32
        if (row.needsPermissions) continue;  // Windows has no such bits to take away
#endif
        const bool asNobody = row.needsPermissions && runningAsRoot();
        TempDir root;
        const fs::path folder = root.path() / "class";
        fs::copy(this->folder(), folder, fs::copy_options::recursive);
        std::vector<std::string> words = {STEPWISE_REVIEW_PROGRAM};
        if (asNobody) {
            // A copy of the program where "nobody" may run it: the build may lie in root's home.
            fs::copy_file(STEPWISE_REVIEW_PROGRAM, root.path() / "stepwise-review");
            words = {"setpriv", std::string("--reuid=") + nobody, std::string("--regid=") + nobody, "--clear-groups",
                     (root.path() / "stepwise-review").string()};
            openToEveryone(root.path());
        }
        for (const std::string& arg : {std::string("--csv"), (root.path() / "class.csv").string(),
                                       std::string("--html"), (root.path() / "class.html").string()})
            words.push_back(arg);
        for (const std::string& path : row.setUp(folder, root.path())) words.push_back(path);
        const ProgramRun result = runCommand(words);
        EXPECT_EQ(result.status, row.status) << result.err;
        for (const std::string& message : row.reported) EXPECT_NE(result.err.find(message), std::string::npos) << result.err;
        const std::string csv = readBytes(root.path() / "class.csv");
        for (const std::string& student : row.students) EXPECT_TRUE(hasStudent(csv, student)) << student;
        for (const std::string& student : row.absent) EXPECT_FALSE(hasStudent(csv, student)) << student;
        const std::string html = readBytes(root.path() / "class.html");
        EXPECT_EQ(count(html, "<p class=\"identical\">"), row.identicalSections)
            << "both students' sections name the pair";
        std::error_code ignored;
        fs::permissions(folder / "locked", fs::perms::owner_all, ignored);
    }
}

// A student who opened the hand-in in an editor that saves UTF-8: the same report as from the file
// the program wrote, and a problem that says what happened.
TEST_F(LookalikeHandinsTest, AHandinSavedAgainInUtf8ReadsAsWritten) {
    const std::string written = readBytes(folder() / "send_1207Ann_Lee.txt");
    ASSERT_NE(written.find("&#916;"), std::string::npos) << "the sample holds a character past Windows-1252";
    const std::string utf8 = encodeUtf8(decodeCp1252WithReferences(written));
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, written}) {
        SCOPED_TRACE(bytes.substr(0, 3));
        TempDir root;
        std::ofstream(root.path() / "send_1207Ann_Lee.txt", std::ios::binary) << bytes;
        const ProgramRun result = run({"--csv", (root.path() / "class.csv").string(), root.path().string()});
        const bool reSaved = bytes != written;
        EXPECT_EQ(result.status, reSaved ? 1 : 0) << result.err;
        EXPECT_EQ(result.err.find("saved again in UTF-8") != std::string::npos, reSaved) << result.err;
        const std::string csv = readBytes(root.path() / "class.csv");
        EXPECT_NE(csv.find("\xCE\x94t = 3 h"), std::string::npos) << "Δ read as one character, not garbled";
        EXPECT_EQ(csv.find("\xC3\x8E"), std::string::npos) << "no UTF-8 read as Windows-1252";
    }
}

}  // namespace
}  // namespace stepwise::testing
