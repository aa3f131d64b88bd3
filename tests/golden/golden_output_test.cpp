// Every byte the programs write, compared with stored copies under tests/golden/expected: the
// student program's three files (and what its window shows) after two scripted lessons on the fake
// platform, and everything stepwise-review writes for a fixed class of hand-ins. A mismatch names
// the stored copy and the first byte that differs.
// After a deliberate change of output, rewrite the stored copies by running these tests with
// STEPWISE_REGENERATE_GOLDEN=1 in the environment (stepwise_tests --gtest_filter='Golden*'), and
// look through the difference in git before committing it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/control_table.h"
#include "app/main_form.h"
#include "review/marks_file.h"
#include "stepwise_version.h"
#include "support/fake_platform.h"
#include "support/sample_class.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace stepwise::testing {
namespace {

namespace fs = std::filesystem;
using enum ControlId;

bool regenerating() {
    const char* value = std::getenv("STEPWISE_REGENERATE_GOLDEN");
    return value && std::string(value) == "1";
}

fs::path utf8Path(std::u8string_view name) { return fs::path(std::u8string(name)); }

// Bytes as a terminal can show them: printable ASCII as it is, the rest escaped.
std::string visible(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\r') out += "\\r";
        else if (b == '\n') out += "\\n";
        else if (b == '\\') out += "\\\\";
        else if (b >= 0x20 && b < 0x7F) out += c;
        else out += std::string("\\x") + digits[b >> 4] + digits[b & 15];
    }
    return out;
}

// Where two different byte strings first differ, with the bytes around that place in each.
std::string firstDifference(const std::string& stored, const std::string& written) {
    const std::size_t shorter = std::min(stored.size(), written.size());
    const std::size_t at =
        static_cast<std::size_t>(std::mismatch(stored.begin(), stored.begin() + shorter, written.begin()).first - stored.begin());
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(stored.begin(), stored.begin() + at, '\n'));
    const std::size_t lineStart = at == 0 ? 0 : stored.rfind('\n', at - 1) + 1;  // npos + 1 == 0
    const std::size_t from = std::max(lineStart, at < 40 ? 0 : at - 40);
    return "first difference at byte " + std::to_string(at) + " (line " + std::to_string(line) + ", column " +
           std::to_string(at - lineStart + 1) + "); stored " + std::to_string(stored.size()) + " bytes, written " +
           std::to_string(written.size()) + " bytes\n  stored:  " + visible(stored.substr(from, at - from + 40)) +
           "\n  written: " + visible(written.substr(from, at - from + 40));
}

// Compares the bytes with the stored copy `name` (a path under the expected folder), or rewrites
// the copy when regenerating.
void compareWithStored(const std::string& name, const std::string& written) {
    const fs::path stored = fs::path(STEPWISE_GOLDEN_DIR) / name;
    if (regenerating()) {
        fs::create_directories(stored.parent_path());
        std::ofstream(stored, std::ios::binary | std::ios::trunc).write(written.data(), static_cast<std::streamsize>(written.size()));
        return;
    }
    if (!fs::is_regular_file(stored)) {
        ADD_FAILURE() << name << ": no stored copy (set STEPWISE_REGENERATE_GOLDEN=1 to write it)";
        return;
    }
    const std::string expected = readBytes(stored);
    if (expected != written) ADD_FAILURE() << name << " differs from what was written: " << firstDifference(expected, written);
}

// An output file: where the program writes it, and the name of its stored copy.
struct Output {
    std::u8string_view written;  // relative to the folder the program writes in
    const char* stored;          // relative to the expected folder
};

// Compares each listed file, as `prepared` leaves its bytes, with its stored copy, and fails for
// any file under `folder` that the list does not name (`ignored`: a subfolder left out).
void compareFolder(const fs::path& folder, const std::vector<Output>& outputs, const fs::path& ignored = {},
                   std::string (*prepared)(std::string) = [](std::string bytes) { return bytes; }) {
    std::set<std::u8string> listed;
    for (const Output& output : outputs) {
        listed.insert(std::u8string(output.written));
        const fs::path written = folder / utf8Path(output.written);
        if (!fs::is_regular_file(written)) ADD_FAILURE() << output.stored << ": the program wrote no file there";
        else compareWithStored(output.stored, prepared(readBytes(written)));
    }
    for (auto entry = fs::recursive_directory_iterator(folder); entry != fs::recursive_directory_iterator(); ++entry) {
        if (!ignored.empty() && entry->path() == folder / ignored) {
            entry.disable_recursion_pending();
            continue;
        }
        const std::u8string name = entry->path().lexically_relative(folder).generic_u8string();
        if (entry->is_regular_file() && !listed.contains(name))
            ADD_FAILURE() << "the program also wrote " << std::string(name.begin(), name.end()) << ", which has no stored copy";
    }
}

// The fake platform with the code line of each lesson header fixed: the random sequence is seeded
// from the clock alone, not the clock plus the real time's fraction of a second. Every prompt, its
// answer and every message go to a transcript, in order.
class GoldenPlatform : public FakePlatform {
public:
    GoldenPlatform(const fs::path& driveRoot, std::string& transcript) : FakePlatform(driveRoot), transcript_(transcript) {
        for (const ControlSpec& control : controlTable())
            if (control.kind == ControlKind::DisplayBox || control.kind == ControlKind::ResponseBox)
                boxes[control.id] = Text(control.caption);
    }

    double secondsSinceMidnight() override { return clock.hour * 3600.0 + clock.minute * 60.0 + clock.second + 0.375; }
    std::optional<Text> promptForLine(const Text& message) override {
        const std::optional<Text> answer = FakePlatform::promptForLine(message);
        transcript_ += "prompt: " + toUtf8(message) + "\nanswer: " + toUtf8(answer.value_or(Text{})) + "\n";
        return answer;
    }
    void showMessage(const Text& message) override {
        transcript_ += "message: " + toUtf8(message) + "\n";
        FakePlatform::showMessage(message);
    }

private:
    std::string& transcript_;
};

// One run of the student program by a student, on a clock moved on by hand.
class Lesson {
public:
    Lesson(const fs::path& driveRoot, std::string& transcript, LocalTime start, const Text& name)
        : transcript_(transcript), platform_(driveRoot, transcript), form_(platform_) {
        platform_.clock = start;
        transcript_ += "=== start at " + toUtf8(platform_.dateText()) + " " + toUtf8(platform_.timeText()) + "\n";
        platform_.answers = {name, u""};
        form_.load();
        logBoxes();
    }

    void at(int hour, int minute, int second) {
        platform_.clock.hour = hour;
        platform_.clock.minute = minute;
        platform_.clock.second = second;
    }
    void type(const Text& text) { platform_.boxes[txt_answer] = text; }
    // Clicks the button with the prompt answers queued; logs what the boxes show afterwards.
    void click(ControlId button, std::initializer_list<Text> answers = {}) {
        transcript_ += "--- " + std::string(controlSpec(button).name) + " at " + toUtf8(platform_.timeText()) + "\n";
        platform_.answers.assign(answers.begin(), answers.end());
        form_.click(button);
        logBoxes();
    }
    void tick() { form_.tick(tmr_pend_exp); }
    LessonState& state() { return form_.state(); }
    bool ended() const { return form_.ended(); }

private:
    void logBoxes() {
        for (ControlId box : {txt_question, txt_answer}) {
            const Text& now = platform_.boxes[box];
            if (now == shown_[box]) continue;
            transcript_ += std::string(controlSpec(box).name) + ": " + toUtf8(now) + "\n";
            shown_[box] = now;
        }
    }

    std::string& transcript_;
    GoldenPlatform platform_;
    MainForm form_;
    std::map<ControlId, Text> shown_;
};

const Text studentName = u"Zo\u00eb Ann-Lee";

// Two lessons by one student on one day, in the default folder under the drive root. The first
// goes through the first questions with every kind of record and every button; the second, in the
// evening, records before the first block and ends with a cancelled rating. Returns the transcript
// of what the window showed.
std::string runLessons(const fs::path& driveRoot) {
    std::string transcript;
    {
        Lesson lesson(driveRoot, transcript, {2026, 12, 7, 14, 5, 9}, studentName);
        lesson.at(14, 6, 0);
        lesson.click(cmdNextQuestion);  // the instructions
        lesson.at(14, 9, 30);
        lesson.type(u"I keep the instructions in a text file,\r\nthen answer each question.");
        lesson.click(cmd_enter_response, {u"3"});
        lesson.at(14, 9, 41);
        lesson.click(cmdNextQuestion);  // the acknowledgement
        lesson.at(14, 9, 52);
        lesson.type(u"ok");
        lesson.click(cmd_enter_response, {u"3"});
        lesson.at(14, 10, 40);
        lesson.click(cmdNextQuestion);  // question 2
        lesson.at(14, 13, 15);
        lesson.type(u"$50 / (5 hr) = $10/hr\r\nrate = \u0394$ / \u0394t");
        lesson.click(cmd_enter_response, {u"2"});
        lesson.click(cmdNextQuestion);  // its worked answer
        lesson.at(14, 15, 0);
        lesson.type(u"per means divided by \u2713\r\nunits: $/hr \U0001F600 caf\u00e9");
        lesson.click(cmd_save_as_notes);
        lesson.click(cmd_clear_answer_box);
        lesson.at(14, 16, 5);
        lesson.click(cmdNextQuestion);  // question 3
        lesson.at(14, 18, 45);
        lesson.type(u"5000 dollars per month");
        lesson.click(cmd_enter_response, {u"pretty sure"});
        // A script whose worked answers carry the answer marker: the rating asked is the self-critique.
        lesson.state().scriptLines.at(12) = u"`a" + lesson.state().scriptLines.at(12);
        lesson.click(cmdNextQuestion);  // question 3's worked answer
        lesson.at(14, 21, 3);
        lesson.type(u"I divided by 12 but forgot the units.");
        lesson.click(cmd_enter_response, {u"2\r\nmostly"});
        lesson.click(cmd_display_note_file);
        lesson.click(cmd_displayCumulativeText);
        lesson.click(cmd_next_picture);
        lesson.click(cmd_pend_exp);
        lesson.tick();
        lesson.tick();
        lesson.click(cmd_copy_picture);
        lesson.at(14, 22, 0);
        lesson.click(cmdNextQuestion);  // question 4, left without a record
        lesson.type(u"not recorded");
        lesson.click(cmdNextQuestion);  // the response box falls back to the default text
        lesson.click(cmd_enter_response);  // which records nothing
        lesson.at(14, 25, 30);
        lesson.click(cmdNextQuestion);  // question 5
        lesson.type(u"\u0394t = 6 h\r\n\r\n300 mi / 6 h = 50 mph");
        lesson.click(cmd_save_as_notes);
        lesson.click(cmd_quit);
        EXPECT_TRUE(lesson.ended());
    }
    {
        Lesson lesson(driveRoot, transcript, {2026, 12, 7, 20, 30, 0}, studentName);
        lesson.click(cmd_enter_response);  // before the first block: no block, no rating
        lesson.at(20, 31, 10);
        lesson.click(cmdNextQuestion);
        lesson.type(u"second run");
        lesson.click(cmd_save_as_notes);
        lesson.at(20, 33, 0);
        lesson.type(u"and a response whose rating is cancelled");
        lesson.click(cmd_enter_response, {});
        lesson.click(cmd_display_note_file);
        lesson.click(cmd_quit);
        EXPECT_TRUE(lesson.ended());
    }
    return transcript;
}

TEST(GoldenOutput, StudentProgramFilesAndWindow) {
    TempDir temp;
    const std::string window = runLessons(temp.path());
    compareFolder(temp.path() / "qwelrand", {{u8"masterFile_Zo\u00eb_Ann-Lee.txt", "student/masterFile.txt"},
                                             {u8"send_1207Zo\u00eb_Ann-Lee.txt", "student/send.txt"},
                                             {u8"notes_Zo\u00eb_Ann-Lee.txt", "student/notes.txt"}});
    compareWithStored("student/window.txt", window);
}

// An instructor's program (stepwise-review or stepwise-author) run in the folder `cwd`, with
// paths relative to it as an instructor types them.
class ReviewRunner {
public:
    explicit ReviewRunner(fs::path cwd, std::string program = "stepwise-review",
                          std::string programPath = STEPWISE_REVIEW_PROGRAM)
        : cwd_(std::move(cwd)), program_(std::move(program)), programPath_(std::move(programPath)) {}

    // Runs the program and compares its exit status and terminal output with the stored transcript.
    void run(const char* stored, const std::vector<std::string>& args) {
        std::string shownCommand = program_;
        std::string command = "cd " + quoted(cwd_.string()) + " && " + quoted(programPath_);
        for (const std::string& arg : args) {
            shownCommand += " " + arg;
            command += " " + quoted(arg);
        }
        const fs::path out = captures_.path() / "stdout", err = captures_.path() / "stderr";
        command += " >" + quoted(out.string()) + " 2>" + quoted(err.string()) + " </dev/null";
        const int raw = std::system(command.c_str());
        int status = -1;
#ifndef _WIN32
        if (WIFEXITED(raw)) status = WEXITSTATUS(raw);
#else
        status = raw;
#endif
        compareWithStored(stored, withoutVersion("$ " + shownCommand + "\nexit status " + std::to_string(status) +
                                                 "\n--- standard output\n" + readBytes(out) +
                                                 "--- standard error\n" + readBytes(err)));
    }

    // The outputs with the version number, which every release changes, replaced by a placeholder.
    static std::string withoutVersion(std::string bytes) {
        for (const std::string program : {"stepwise-review ", "stepwise-author "}) {
            const std::string version = program + stepwiseVersion;
            for (auto at = bytes.find(version); at != std::string::npos; at = bytes.find(version, at))
                bytes.replace(at, version.size(), program + "@VERSION@");
        }
        return bytes;
    }

private:
    static std::string quoted(const std::string& text) {
        std::string out = "'";
        for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return out + "'";
    }

    fs::path cwd_;
    std::string program_;
    std::string programPath_;
    TempDir captures_;
};

// The marks file as the instructor saves it from a spreadsheet that uses semicolons: some answers
// marked (one mark unreadable), one answer changed since it was marked, and a row of a student who
// has left the class.
std::string markedByInstructor(const std::string& firstMarksFile) {
    const std::map<std::pair<std::string, std::string>, std::string> marks = {
        {{"Ann Lee", "1"}, "1"},  {{"Ann Lee", "2"}, "0"},     {{"Ann Lee", "3"}, "r"},
        {{"Ann Lee", "4"}, "W"},  {{"Cy", "5"}, "0"},          {{"Cy", "12"}, "wrong"},
        {{"Zo\xC3\xAB \xC3\x9Cmit", "1"}, "0"},                {{"Zo\xC3\xAB \xC3\x9Cmit", "2"}, "1.0"},
        {{"Zo\xC3\xAB \xC3\x9Cmit", "3"}, "?"},                {{"Zo\xC3\xAB Ann-Lee", "2"}, "1"},
        {{"Zo\xC3\xAB Ann-Lee", "3"}, "0"},
    };
    review::MarksTable table = review::parseMarksFile(firstMarksFile);
    review::MarksRow gone;
    gone.student = "Old Student";
    gone.question = "3";
    gone.confidence = "2";
    gone.mark = "1";
    gone.response = "gone";
    table.rows.push_back(gone);
    const auto cell = [](const std::string& text) {
        std::string out = "\"";
        for (char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
        return out + "\"";
    };
    std::string saved = "student;question;confidence;mark;response\n";
    for (review::MarksRow& row : table.rows) {
        if (const auto mark = marks.find({row.student, row.question}); mark != marks.end()) row.mark = mark->second;
        else if (row.student == "Cy") row.mark = "1";
        if (row.student == "Cy" && row.question == "5") row.response = "an earlier answer";
        saved += cell(row.student) + ";" + cell(row.question) + ";" + cell(row.confidence) + ";" + cell(row.mark) +
                 ";" + cell(row.response) + "\n";
    }
    return saved;
}

// The class: the sample class (Ann Lee's hand-ins of two days, Zoë Ümit's hostile text, Cy's
// complete set), the damaged and hand-edited files beside it (cut short, an unknown block and a
// changed label, random bytes, an empty file, a folder by a hand-in's name, a copy in a
// subfolder), and the hand-in of the two lessons above (a self-critique, notes outside
// Windows-1252, a response before the first block, a second lesson header in the same file).
TEST(GoldenOutput, ReviewProgramOutputs) {
#ifdef _WIN32
    GTEST_SKIP() << "runs the Linux build of stepwise-review; scripts/win32-tests.sh compares the Windows build's";
#endif
    TempDir temp;
    runLessons(temp.path());
    writeSampleClass(temp.path());
    writeDamagedHandins(temp.path() / "qwelrand");

    ReviewRunner review(temp.path());
    review.run("review/help.txt", {"--help"});
    review.run("review/version.txt", {"--version"});
    review.run("review/usage-error.txt", {"--csv"});
    review.run("review/summary.txt", {"qwelrand"});
    review.run("review/first-marks-run.txt", {"--marks", "marks.csv", "qwelrand"});
    const fs::path marks = temp.path() / "marks.csv";
    compareWithStored("review/first-marks.csv", readBytes(marks));
    const std::string marked = markedByInstructor(readBytes(marks));
    std::ofstream(marks, std::ios::binary | std::ios::trunc) << marked;
    review.run("review/reports-run.txt", {"--csv", "report.csv", "--html", "report.html", "--marks", "marks.csv",
                                          "--students-csv", "students.csv", "--feedback", "feedback", "qwelrand"});

    const std::vector<Output> outputs = {
        {u8"report.csv", "review/report.csv"},
        {u8"report.html", "review/report.html"},
        {u8"marks.csv", "review/marks.csv"},
        {u8".marks.csv.lock", "review/marks.csv.lock"},
        {u8"students.csv", "review/students.csv"},
        {u8"feedback/Ann_Lee.html", "review/feedback/Ann_Lee.html"},
        {u8"feedback/Cy.html", "review/feedback/Cy.html"},
        {u8"feedback/Dan.html", "review/feedback/Dan.html"},
        {u8"feedback/Eve.html", "review/feedback/Eve.html"},
        {u8"feedback/Fay.html", "review/feedback/Fay.html"},
        {u8"feedback/Hal.html", "review/feedback/Hal.html"},
        {u8"feedback/Zo\u00eb_\u00dcmit.html", "review/feedback/Zoe_Umit.html"},
        {u8"feedback/Zo\u00eb_Ann-Lee.html", "review/feedback/Zoe_Ann-Lee.html"},
    };
    compareFolder(temp.path(), outputs, "qwelrand", ReviewRunner::withoutVersion);
}

// stepwise-author: its help, a usage error, the check of a file with every kind of problem, the
// preview of that file, and the built-in written to standard output (the shipped example, whose
// own test compares it byte for byte).
TEST(GoldenOutput, AuthorProgramOutputs) {
#ifdef _WIN32
    GTEST_SKIP() << "runs the Linux build of stepwise-author";
#endif
    TempDir temp;
    std::ofstream(temp.path() / "faults.stepwise", std::ios::binary)
        << "\xEF\xBB\xBF" "004.  Faults <&> all\r\nset: unit set\r\ncolour: red\r\nstray words\r\n---\r\n"
           "`aToo early\r\n---\r\n`q002.  Two\r\n---\r\n`q001.  One {}again\r\n---\r\n`Q003.  Caps\r\n---\r\n"
           "`AShout\r\n---\r\n\r\n---\r\n`q12.  Short\r\n---\r\n`routine draw it\r\n---\r\nBell\x07\r\n---\r\n"
           "005 is next\r\n---\r\nNever shown\r\n---\r\n`a\r\n";
    ReviewRunner author(temp.path(), "stepwise-author", STEPWISE_AUTHOR_PROGRAM);
    author.run("author/help.txt", {"--help"});
    author.run("author/version.txt", {"--version"});
    author.run("author/usage-error.txt", {"preview", "faults.stepwise"});
    author.run("author/check-run.txt", {"check", "faults.stepwise", "missing.stepwise"});
    author.run("author/preview-run.txt", {"preview", "--html", "preview.html", "faults.stepwise"});
    compareWithStored("author/preview.html", readBytes(temp.path() / "preview.html"));
    author.run("author/builtin-run.txt", {"builtin", "-o", "faults.stepwise"});
}

}  // namespace
}  // namespace stepwise::testing
