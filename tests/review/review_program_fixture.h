#pragma once
// Runs the built stepwise-review on folders of hand-ins written by the student program's own
// record code, as an instructor would.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>
#include <filesystem>
#include <string>
#include <vector>

#include "support/fake_platform.h"
#include "support/sample_class.h"
#include "support/temp_dir.h"

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace stepwise::testing {

struct ProgramRun {
    int status = -1;                    // exit status; -1 when the program did not exit normally
    std::string out, err;
};

class ReviewProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "runs the Linux build of stepwise-review; the Windows build is compared under Wine";
#endif
        writeSampleClass(temp.path());
    }

    std::filesystem::path folder() const { return temp.path() / "qwelrand"; }
    std::filesystem::path output(const char* name) const { return temp.path() / name; }

    static std::string quoted(const std::string& text) {
        std::string out = "'";
        for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
        return out + "'";
    }

    ProgramRun run(const std::vector<std::string>& args) {
        std::vector<std::string> words = {STEPWISE_REVIEW_PROGRAM};
        words.insert(words.end(), args.begin(), args.end());
        return runCommand(words);
    }

    // Runs a command line of words, its output kept as run() keeps it.
    ProgramRun runCommand(const std::vector<std::string>& words) {
        std::string command;
        for (const std::string& word : words) command += (command.empty() ? "" : " ") + quoted(word);
        const auto out = temp.path() / "stdout.txt", err = temp.path() / "stderr.txt";
        command += " >" + quoted(out.string()) + " 2>" + quoted(err.string()) + " </dev/null";
        ProgramRun result;
        const int raw = std::system(command.c_str());
#ifndef _WIN32
        if (WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
#else
        result.status = raw;
#endif
        result.out = readBytes(out);
        result.err = readBytes(err);
        return result;
    }

    static bool chromiumInstalled() { return std::system("command -v chromium >/dev/null 2>&1") == 0; }

    // Runs headless Chromium on a page from disk with a fresh profile; returns what it printed.
    std::string chromium(const std::string& what, const std::filesystem::path& page) {
        const auto profile = temp.path() / ("chromium-profile-" + std::to_string(++chromiumRuns_));
        const auto out = temp.path() / "chromium-out.txt";
        const std::string command =
            "chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking "
            "--disable-component-update --disable-sync --user-data-dir=" + quoted(profile.string()) + " " + what +
            " " + quoted("file://" + page.string()) + " >" + quoted(out.string()) + " 2>/dev/null </dev/null";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        return readBytes(out);
    }

    // Keeps a screenshot of the page as a test artefact in the build tree.
    void keepScreenshot(const std::filesystem::path& page, const std::string& name, const std::string& size) {
        const auto artefacts = std::filesystem::path(STEPWISE_TEST_ARTEFACTS_DIR);
        std::filesystem::create_directories(artefacts);
        const auto screenshot = artefacts / name;
        std::filesystem::remove(screenshot);
        chromium("--hide-scrollbars --window-size=" + size + " --screenshot=" + quoted(screenshot.string()), page);
        ASSERT_TRUE(std::filesystem::exists(screenshot));
        EXPECT_GT(std::filesystem::file_size(screenshot), 10000u);
        std::cout << "Screenshot: " << screenshot.string() << "\n";
    }

    TempDir temp;

private:
    int chromiumRuns_ = 0;
};

}  // namespace stepwise::testing
