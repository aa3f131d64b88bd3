#pragma once
// A started lesson whose notes and SEND files the viewer tests write themselves, byte for byte.
#include <fstream>
#include <string>

#include "support/lesson_fixture.h"

namespace stepwise::testing {

class ViewerTest : public LessonTest {
protected:
    void SetUp() override { ASSERT_TRUE(start()); }

    std::filesystem::path notesPath() const { return outputFolder() / "notes_Ann_Lee.txt"; }
    std::filesystem::path sendPath() const { return outputFolder() / "send_1207Ann_Lee.txt"; }

    static void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out << bytes;
        ASSERT_TRUE(out.good()) << path;
    }

    Text displayBox() { return platform.boxes[ControlId::txt_question]; }
    void setDisplayBox(const Text& text) { platform.boxes[ControlId::txt_question] = text; }
};

}  // namespace stepwise::testing
