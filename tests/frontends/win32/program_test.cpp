// stepwise.exe itself, started as its own process and worked through window messages only, as a
// student works it: the three start-up prompts before the window shows, Next, a response with its
// rating, quit; then the files it wrote in the real c:\qwelrand, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <optional>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "format/builtin_assignment.h"
#include "format/cp1252.h"
#include "frontends/win32/main_window.h"
#include "format/record_pieces.h"
#include "frontends/win32/modal_dialogs.h"

namespace stepwise::testing {
namespace {

using enum ControlId;
namespace fs = std::filesystem;

constexpr int waitMs = 15000;

fs::path besideThisProgram(const wchar_t* name) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    return fs::path(self).parent_path() / name;
}

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool isClockTime(const std::string& s) {
    return s.size() == 8 && s[2] == ':' && s[5] == ':' && std::isdigit(static_cast<unsigned char>(s[0])) &&
           std::isdigit(static_cast<unsigned char>(s[7]));
}

// The program as a child process, with the window and dialogs it shows.
class RunningProgram {
public:
    // arguments: as they follow the program's name on the command line, quoted where need be.
    explicit RunningProgram(const fs::path& exe, const std::wstring& arguments = {}) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + exe.wstring() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                  &startup, &process_) != FALSE;
    }
    ~RunningProgram() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    bool started() const { return started_; }

    // Waits for the next dialog and answers it; what it showed, with whether the window was visible.
    std::optional<ShownDialog> answerNext(const DialogAnswer& answer, bool& windowVisible) {
        HWND dialog = waitFor([&] {
            const auto dialogs = openDialogs(process_.dwProcessId);
            return dialogs.empty() ? HWND{} : dialogs.front();
        });
        if (!dialog) return std::nullopt;
        Sleep(50);  // the dialog finishes its layout and focus
        windowVisible = mainWindow() && IsWindowVisible(mainWindow());
        const ShownDialog shown = describeDialog(dialog);
        answerDialog(dialog, answer);
        waitFor([&] { return IsWindow(dialog) ? HWND{} : HWND(1); });
        return shown;
    }

    HWND mainWindow() const {
        for (HWND w = FindWindowExW(nullptr, nullptr, L"StepwiseMainWindow", nullptr); w;
             w = FindWindowExW(nullptr, w, L"StepwiseMainWindow", nullptr)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(w, &pid);
            if (pid == process_.dwProcessId) return w;
        }
        return nullptr;
    }
    HWND control(ControlId id) const { return GetDlgItem(mainWindow(), win32::windowIdOf(id)); }
    void click(ControlId id) const { PostMessageW(control(id), BM_CLICK, 0, 0); }
    std::wstring text(ControlId id) const { return windowText(control(id)); }

    // The exit status, once the process has ended; -1 when it did not end in time.
    long exitStatus() const {
        if (WaitForSingleObject(process_.hProcess, waitMs) != WAIT_OBJECT_0) return -1;
        DWORD status = 0;
        GetExitCodeProcess(process_.hProcess, &status);
        return static_cast<long>(status);
    }

    template <class Find>
    static HWND waitFor(Find find) {
        const ULONGLONG deadline = GetTickCount64() + waitMs;
        while (GetTickCount64() < deadline) {
            if (HWND found = find()) return found;
            Sleep(20);
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() {
        SYSTEMTIME today;
        GetLocalTime(&today);
        wchar_t monthDay[8], date[16];
        swprintf(monthDay, 8, L"%02u%02u", today.wMonth, today.wDay);
        swprintf(date, 16, L"%02u-%02u-%04u", today.wMonth, today.wDay, today.wYear);
        this->date = fs::path(date).string();
        master = fs::path(L"c:\\qwelrand\\masterFile_Wine_Check.txt");
        send = fs::path(std::wstring(L"c:\\qwelrand\\send_") + monthDay + L"Wine_Check.txt");
        removeFiles();
    }
    ~ProgramTest() override { removeFiles(); }
    void removeFiles() {
        std::error_code ignored;
        fs::remove(master, ignored);
        fs::remove(send, ignored);
    }

    fs::path master, send;
    std::string date;
};

TEST_F(ProgramTest, AsksThreeQuestionsShowsTheWindowRecordsAResponseAndQuits) {
    const fs::path exe = besideThisProgram(L"stepwise.exe");
    ASSERT_TRUE(fs::exists(exe)) << exe;
    RunningProgram program(exe);
    ASSERT_TRUE(program.started());

    bool visible = true;
    std::vector<ShownDialog> startUp;
    for (const DialogAnswer& answer : {DialogAnswer::ok(L"Wine Check"), DialogAnswer::ok(L"1"), DialogAnswer::ok(L"")}) {
        std::optional<ShownDialog> shown = program.answerNext(answer, visible);
        ASSERT_TRUE(shown) << "start-up prompt " << startUp.size() + 1 << " did not appear";
        EXPECT_FALSE(visible) << "the window showed before prompt " << startUp.size() + 1;
        startUp.push_back(*shown);
    }
    EXPECT_EQ(startUp[0].message, L"Your full name:  ");
    EXPECT_NE(startUp[2].message.find(L"Enter the path to the folder you wish to use."), std::wstring::npos);

    ASSERT_TRUE(RunningProgram::waitFor([&] {
        HWND w = program.mainWindow();
        return w && IsWindowVisible(w) ? w : HWND{};
    }));
    EXPECT_EQ(windowText(program.mainWindow()), L"Form1");
    EXPECT_EQ(program.text(txt_answer), L" ");

    program.click(cmdNextQuestion);
    ASSERT_TRUE(RunningProgram::waitFor([&] { return program.text(txt_question).empty() ? HWND{} : HWND(1); }));
    EXPECT_EQ(program.text(txt_question).substr(0, 6), L"`q001.");

    SendMessageW(program.control(txt_answer), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"5000 dollars"));
    program.click(cmd_enter_response);
    std::optional<ShownDialog> rating = program.answerNext(DialogAnswer::ok(L"3"), visible);
    ASSERT_TRUE(rating) << "no confidence prompt";
    EXPECT_TRUE(visible);
    ASSERT_TRUE(RunningProgram::waitFor([&] { return program.text(txt_answer).empty() ? HWND(1) : HWND{}; }));

    program.click(cmd_quit);
    EXPECT_EQ(program.exitStatus(), 0);

    // The code line and the clock are the run's own; everything else is known byte for byte.
    const std::string written = bytesOf(master);
    const std::string codeLine = written.substr(0, written.find("\r\n"));
    EXPECT_GE(codeLine.size(), 19u);
    EXPECT_LE(codeLine.size(), 56u);
    for (unsigned char byte : codeLine) EXPECT_TRUE(byte >= 66 && byte != 117) << int(byte);
    const std::string separator = encodeCp1252(separatorLine) + "\r\n";
    const std::string header = codeLine + "\r\nassignment #001\r\n001.  Rates\r\novla set\r\n" + date + "\r\n";
    const std::string stampIndent = std::string(36, ' ');
    const std::size_t timeAt = header.size() + separator.size() + stampIndent.size();
    ASSERT_GT(written.size(), timeAt + 8);
    const std::string time = written.substr(timeAt, 8);
    EXPECT_TRUE(isClockTime(time)) << time;
    const std::string stamp = stampIndent + time + "\r\n";
    const std::string block = encodeCp1252(builtinAssignment()[1]) + "\r\n";
    const std::string response = separator + "RESPONSE -->  \r\n5000 dollars\r\nconfidence assessment:  3\r\n" +
                                 encodeCp1252(closingLine) + "\r\n";
    EXPECT_EQ(written, header + separator + stamp + "\r\n\r\n`questionNumber 10001 \r\n" + block + response);
    // The SEND file: the same header, and the record without the question-number lines.
    EXPECT_EQ(bytesOf(send), header + separator + stamp + block + response);
}

TEST_F(ProgramTest, ClosingTheWindowEndsAtOnceAndWritesNothingMore) {
    RunningProgram program(besideThisProgram(L"stepwise.exe"));
    ASSERT_TRUE(program.started());
    bool visible = false;
    ASSERT_TRUE(program.answerNext(DialogAnswer::ok(L"Wine Check"), visible));
    ASSERT_TRUE(program.answerNext(DialogAnswer::ok(L""), visible));
    ASSERT_TRUE(RunningProgram::waitFor([&] {
        HWND w = program.mainWindow();
        return w && IsWindowVisible(w) ? w : HWND{};
    }));
    const std::string header = bytesOf(master);
    EXPECT_EQ(std::count(header.begin(), header.end(), '\n'), 5);
    program.click(cmdNextQuestion);
    PostMessageW(program.mainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(program.exitStatus(), 0);
    EXPECT_EQ(bytesOf(master), header);
}

// A folder and a file named in several scripts, as they arrive from a command line or from a file
// dropped on the program.
class AssignmentFileProgramTest : public ProgramTest {
protected:
    AssignmentFileProgramTest() {
        folder = fs::temp_directory_path() / (L"stepwise \u00DCbung \u221A \u65E5\u672C " + std::to_wstring(GetCurrentProcessId()));
        fs::create_directories(folder);
    }
    ~AssignmentFileProgramTest() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }
    fs::path write(const std::wstring& name, const std::string& bytes) {
        const fs::path file = folder / name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    static std::wstring quoted(const fs::path& path) { return L"\"" + path.wstring() + L"\""; }

    fs::path folder;
};

TEST_F(AssignmentFileProgramTest, WorksTheAssignmentInAFileNamedInAnyScript) {
    const fs::path file = write(L"Speed \u0394\u03A3.stepwise",
                                "007.  Speed\nset: physics set\n---\n`q001.  What is \xE2\x88\x9A" "16?\n---\nend program\n");
    RunningProgram program(besideThisProgram(L"stepwise.exe"), quoted(file));
    ASSERT_TRUE(program.started());
    bool visible = true;
    const std::optional<ShownDialog> name = program.answerNext(DialogAnswer::ok(L"Wine Check"), visible);
    ASSERT_TRUE(name && name->message == L"Your full name:  ") << "the file was refused";
    ASSERT_TRUE(program.answerNext(DialogAnswer::ok(L""), visible));
    ASSERT_TRUE(RunningProgram::waitFor([&] {
        HWND w = program.mainWindow();
        return w && IsWindowVisible(w) ? w : HWND{};
    }));
    program.click(cmdNextQuestion);
    ASSERT_TRUE(RunningProgram::waitFor([&] { return program.text(txt_question).empty() ? HWND{} : HWND(1); }));
    EXPECT_EQ(program.text(txt_question), L"`q001.  What is \u221A16?");
    SendMessageW(program.control(txt_answer), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"\u221A16 = 4"));
    program.click(cmd_enter_response);
    ASSERT_TRUE(program.answerNext(DialogAnswer::ok(L"3"), visible)) << "no confidence prompt";
    ASSERT_TRUE(RunningProgram::waitFor([&] { return program.text(txt_answer).empty() ? HWND(1) : HWND{}; }));
    program.click(cmd_quit);
    EXPECT_EQ(program.exitStatus(), 0);

    const std::string written = bytesOf(send);
    const std::string header = "\r\nassignment #007\r\n007.  Speed\r\nphysics set\r\n" + date + "\r\n";
    EXPECT_EQ(written.substr(written.find("\r\n"), header.size()), header);
    EXPECT_NE(written.find("`q001.  What is &#8730;16?\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("RESPONSE -->  \r\n&#8730;16 = 4\r\nconfidence assessment:  3\r\n"), std::string::npos) << written;
}

// One message naming the file (and the line), then the end: no prompt, no window, no file, and
// no default folder where there was none.
TEST_F(AssignmentFileProgramTest, AFileThatCannotBeWorkedIsRefusedWithOneMessage) {
    struct Case {
        const char* what;
        std::wstring arguments;
        std::wstring said;  // in the message
        long status;
    };
    const fs::path bad = write(L"bad header.stepwise", "Speed\n---\nend program\n");
    const fs::path inside = write(L"\u00E9rror.stepwise", "007.  Speed\n---\n`q001.  One\n---\n`q0x2.  Two\n---\nend program\n");
    const fs::path locked = write(L"locked.stepwise", "007.  Speed\n---\nend program\n");
    const std::vector<Case> cases = {
        {"a missing file", quoted(folder / L"missing.stepwise"),
         (folder / L"missing.stepwise").wstring() + L": error: the file cannot be read: ", 1},
        {"a bad header", quoted(bad), bad.wstring() + L":1: error: the assignment header must be", 1},
        {"an error inside", quoted(inside), inside.wstring() + L":5: error: a question marker needs a three-digit number", 1},
        {"a file another program holds without sharing", quoted(locked), locked.wstring() + L": error: the file cannot be read: ", 1},
        {"two files", quoted(bad) + L" " + quoted(inside), L"stepwise: one assignment file at a time, and 2 were given", 2},
    };
    // The default folder is made by the start-up the refusal comes before: it must not appear.
    std::error_code ignored;
    fs::remove(L"c:\\qwelrand", ignored);  // only when it is empty
    const bool folderWasThere = fs::exists(L"c:\\qwelrand");
    const HANDLE holder = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    for (const Case& c : cases) {
        RunningProgram program(besideThisProgram(L"stepwise.exe"), c.arguments);
        ASSERT_TRUE(program.started()) << c.what;
        bool visible = true;
        const std::optional<ShownDialog> shown = program.answerNext(DialogAnswer::ok(L"Wine Check"), visible);
        ASSERT_TRUE(shown) << c.what;
        EXPECT_EQ(shown->kind, L"messageBox") << c.what;
        EXPECT_NE(shown->message.find(c.said), std::wstring::npos) << c.what;
        EXPECT_FALSE(visible) << c.what;
        EXPECT_EQ(program.exitStatus(), c.status) << c.what;
        EXPECT_FALSE(program.mainWindow()) << c.what;
        EXPECT_FALSE(fs::exists(master)) << c.what;
        if (!folderWasThere) EXPECT_FALSE(fs::exists(L"c:\\qwelrand")) << c.what;
    }
    CloseHandle(holder);
}

}  // namespace
}  // namespace stepwise::testing
