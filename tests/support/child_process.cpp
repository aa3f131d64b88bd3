#include "support/child_process.h"

#include <cerrno>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace stepwise::testing {

#ifdef _WIN32

namespace {

std::wstring widen(const std::string& text) { return std::filesystem::path(text).wstring(); }

std::wstring thisProgram() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const std::string& variable,
                           const std::string& value) {
    std::wstring commandLine = L"\"" + thisProgram() + L"\"";
    for (const std::string& argument : arguments) commandLine += L" \"" + widen(argument) + L"\"";
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE nowhere = CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited,
                                 OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = nowhere;
    startup.hStdError = nowhere;
    PROCESS_INFORMATION process{};
    // The child inherits this process's environment, with the variable set for it alone.
    SetEnvironmentVariableW(widen(variable).c_str(), widen(value).c_str());
    if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        CloseHandle(process.hThread);
        handle_ = reinterpret_cast<std::intptr_t>(process.hProcess);
    }
    SetEnvironmentVariableW(widen(variable).c_str(), nullptr);
    CloseHandle(nowhere);
}

void ChildProcess::kill() {
    if (!started() || ended_) return;
    TerminateProcess(reinterpret_cast<HANDLE>(handle_), 137);
    waitForEnd();
}

bool ChildProcess::ended() {
    if (!started() || ended_) return true;
    if (WaitForSingleObject(reinterpret_cast<HANDLE>(handle_), 0) != WAIT_OBJECT_0) return false;
    waitForEnd();
    return true;
}

void ChildProcess::waitForEnd() {
    HANDLE process = reinterpret_cast<HANDLE>(handle_);
    WaitForSingleObject(process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    exitCode_ = static_cast<int>(code);
    ended_ = true;
}

ChildProcess::~ChildProcess() {
    kill();
    if (started()) CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

#else

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const std::string& variable,
                           const std::string& value) {
    const std::string program = std::filesystem::read_symlink("/proc/self/exe").string();
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    std::string setting = variable + "=" + value;
    std::vector<char*> envp{setting.data()};
    for (char** entry = environ; *entry; ++entry) envp.push_back(*entry);
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) == 0) handle_ = pid;
    posix_spawn_file_actions_destroy(&actions);
}

void ChildProcess::kill() {
    if (!started() || ended_) return;
    ::kill(static_cast<pid_t>(handle_), SIGKILL);
    waitForEnd();
}

bool ChildProcess::ended() {
    if (!started() || ended_) return true;
    int status = 0;
    if (waitpid(static_cast<pid_t>(handle_), &status, WNOHANG) != static_cast<pid_t>(handle_)) return false;
    ended_ = true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

void ChildProcess::waitForEnd() {
    int status = 0;
    while (waitpid(static_cast<pid_t>(handle_), &status, 0) < 0 && errno == EINTR) {
    }
    ended_ = true;
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

ChildProcess::~ChildProcess() { kill(); }

#endif

}  // namespace stepwise::testing
