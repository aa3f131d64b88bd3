// Both viewers on an output file that is a named pipe: the student is told, nothing waits for a writer.
#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

#include "viewers/viewer_file.h"
#include "viewers/viewer_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;
using namespace std::chrono_literals;

// Runs `click`; should it still run after a few seconds, the pipe is opened for writing and closed
// again, which lets a viewer stuck opening it read an empty file and return. So a viewer that opens
// the pipe fails the test instead of hanging it. True when the click had to be let go that way.
bool hadToBeLetGo(const std::filesystem::path& pipe, const std::function<void()>& click) {
    std::atomic<bool> done = false;
    std::atomic<bool> letGo = false;
    std::thread watchdog([&] {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        while (!done) {
            if (std::chrono::steady_clock::now() >= deadline) {
                // Non-blocking: it only succeeds while a reader waits on the pipe.
                const int writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
                if (writer >= 0) {
                    letGo = true;
                    ::close(writer);
                }
            }
            std::this_thread::sleep_for(10ms);
        }
    });
    click();
    done = true;
    watchdog.join();
    return letGo;
}

class NamedPipeViewer : public ViewerTest, public ::testing::WithParamInterface<ControlId> {
protected:
    std::filesystem::path viewedPath() const { return GetParam() == cmd_display_note_file ? notesPath() : sendPath(); }
    Text viewedPathAsFormed() const {
        return GetParam() == cmd_display_note_file ? u"c:\\qwelrand\\notes_Ann_Lee.txt" : u"c:\\qwelrand\\send_1207Ann_Lee.txt";
    }
};

TEST_P(NamedPipeViewer, IsNotOpenedAndTheStudentIsToldItCannotBeShown) {
    std::filesystem::remove(viewedPath());
    ASSERT_EQ(::mkfifo(viewedPath().c_str(), 0600), 0) << viewedPath();
    setDisplayBox(u"B");
    state().workText = u"W";

    EXPECT_FALSE(hadToBeLetGo(viewedPath(), [&] { form.click(GetParam()); }))
        << "the viewer waited for a writer on the named pipe";

    EXPECT_EQ(displayBox(), u"B");
    EXPECT_EQ(state().workText, u"W");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0], u"The file " + shownPath(viewedPath()) + u" cannot be shown: it is not a regular file.");
    EXPECT_FALSE(platform.isFileOpen(notesViewerFile));
    EXPECT_FALSE(platform.isFileOpen(sendViewerFile));
    EXPECT_FALSE(form.ended());
}

INSTANTIATE_TEST_SUITE_P(BothViewers, NamedPipeViewer, ::testing::Values(cmd_display_note_file, cmd_displayCumulativeText),
                         [](const auto& info) {
                             return info.param == cmd_display_note_file ? "DisplayNotes" : "DisplaySendFile";
                         });

}  // namespace
}  // namespace stepwise::testing
#endif
