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

std::filesystem::path thisProgram() {
#ifdef _WIN32
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path;
#else
    return std::filesystem::read_symlink("/proc/self/exe");
#endif
}

namespace {

// Sets a variable of this process's environment for as long as it lives, so that a child started
// meanwhile inherits it.
class EnvironmentSetting {
public:
    EnvironmentSetting(const std::string& variable, const std::string& value) : variable_(variable) {
#ifdef _WIN32
        SetEnvironmentVariableW(std::filesystem::path(variable).wstring().c_str(),
                                std::filesystem::path(value).wstring().c_str());
#else
        setenv(variable.c_str(), value.c_str(), 1);
#endif
    }
    ~EnvironmentSetting() {
#ifdef _WIN32
        SetEnvironmentVariableW(std::filesystem::path(variable_).wstring().c_str(), nullptr);
#else
        unsetenv(variable_.c_str());
#endif
    }

private:
    std::string variable_;
};

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& arguments, const std::string& variable,
                           const std::string& value) {
    const EnvironmentSetting setting(variable, value);
    start(thisProgram(), arguments, {});
}

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                           const std::filesystem::path& errors) {
    start(program, arguments, errors);
}

int ChildProcess::wait() {
    if (!started()) return -1;
    if (!ended_) waitForEnd();
    return exitCode_;
}

#ifdef _WIN32

namespace {

// One argument as the C runtime splits a command line: in quotes, with the backslashes before a
// quote doubled.
std::wstring quotedArgument(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

HANDLE inheritedFile(const std::filesystem::path& path, DWORD creation) {
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    return CreateFileW(path.empty() ? L"NUL" : path.wstring().c_str(), GENERIC_WRITE,
                       FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, path.empty() ? OPEN_EXISTING : creation, 0,
                       nullptr);
}

}  // namespace

void ChildProcess::start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& errors) {
    std::wstring commandLine = quotedArgument(program.wstring());
    for (const std::string& argument : arguments)
        commandLine += L" " + quotedArgument(std::filesystem::path(argument).wstring());
    HANDLE nowhere = inheritedFile({}, OPEN_EXISTING);
    HANDLE errorFile = errors.empty() ? nowhere : inheritedFile(errors, CREATE_ALWAYS);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = nowhere;
    startup.hStdError = errorFile;
    PROCESS_INFORMATION process{};
    if (CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        handle_ = reinterpret_cast<std::intptr_t>(process.hProcess);
    }
    if (errorFile != nowhere) CloseHandle(errorFile);
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

void ChildProcess::start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         const std::filesystem::path& errors) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errors.empty() ? "/dev/null" : errors.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) handle_ = pid;
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
