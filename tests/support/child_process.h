#pragma once
// Another program, or another run of the test program itself: for tests that kill a process in
// the middle of its work, and for tests of a built program as its users run it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace stepwise::testing {

// The running test program's own file.
std::filesystem::path thisProgram();

class ChildProcess {
public:
    // Runs this test program with the arguments and with `variable` set to `value` in its
    // environment; its output goes nowhere.
    ChildProcess(const std::vector<std::string>& arguments, const std::string& variable, const std::string& value);
    // Runs `program` with the arguments; its standard error goes to the file `errors`, its standard
    // output nowhere.
    ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                 const std::filesystem::path& errors);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return handle_ != 0; }
    // Ends the process at once, as kill -9 does (TerminateProcess on Windows), and waits for it.
    void kill();
    // True once the process has ended; exitCode() then tells how.
    bool ended();
    int exitCode() const { return exitCode_; }
    // Waits for the process to end; its exit code (-1 when it could not be started).
    int wait();

private:
    void start(const std::filesystem::path& program, const std::vector<std::string>& arguments,
               const std::filesystem::path& errors);
    void waitForEnd();

    std::intptr_t handle_ = 0;  // the process id, or the process handle on Windows
    bool ended_ = false;
    int exitCode_ = -1;
};

}  // namespace stepwise::testing
