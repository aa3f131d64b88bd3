#pragma once
// A started lesson on the fake platform: the drive root is a temporary folder, so the default
// output folder "c:\qwelrand" is <temp>/qwelrand.
#include <gtest/gtest.h>

#include <memory>

#include "app/main_form.h"
#include "support/fake_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {

class LessonTest : public ::testing::Test {
protected:
    LessonTest() : platform(temp.path()), form(platform) {}

    // Runs the load handler with the given name and folder answers; true when the window would show.
    bool start(const Text& name = u"Ann Lee", const Text& changeFolder = u"", const Text& folder = u"") {
        platform.answers = {name, changeFolder};
        if (changeFolder == u"1") platform.answers.push_back(folder);
        form.load();
        return !form.ended();
    }

    std::filesystem::path outputFolder() const { return temp.path() / "qwelrand"; }
    std::string master() const { return readBytes(outputFolder() / "masterFile_Ann_Lee.txt"); }
    std::string send() const { return readBytes(outputFolder() / "send_1207Ann_Lee.txt"); }
    std::string notes() const { return readBytes(outputFolder() / "notes_Ann_Lee.txt"); }

    LessonState& state() { return form.state(); }

    TempDir temp;
    FakePlatform platform;
    MainForm form;
};

}  // namespace stepwise::testing
