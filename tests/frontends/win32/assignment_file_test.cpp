// An assignment file worked in the real Win32 window: while the display box shows characters that
// the raster font "System" lacks, it uses a TrueType face of the same size and weight, and it
// goes back to "System" once they are gone.
#include <fstream>
#include <functional>

#include "frontends/win32/truetype_box_font.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

LOGFONTW fontOf(HWND box) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

class Win32AssignmentFile : public Win32LessonTest {
protected:
    std::wstring face(ControlId box) { return fontOf(control(box)).lfFaceName; }
};

TEST_F(Win32AssignmentFile, TheDisplayBoxUsesATrueTypeFaceOnlyWhileItShowsCharactersSystemLacks) {
    const std::filesystem::path file = temp.path() / "speed.stepwise";
    std::ofstream(file, std::ios::binary) << "007.  Speed\n---\n`q001.  Plain caf\xC3\xA9 \xE2\x82\xAC" "5\n---\n"
                                             "`q002.  What is \xE2\x88\x9A" "16 + \xCE\x94x? \xE6\x97\xA5\n---\nend program\n";
    form.useAssignmentFile(file);
    ASSERT_TRUE(start());
    const LOGFONTW system = fontOf(control(txt_question));
    ASSERT_EQ(std::wstring(system.lfFaceName), L"System");
    const std::wstring trueType = win32::trueTypeBoxFace();
    EXPECT_TRUE(trueType == L"Segoe UI" || trueType == L"Tahoma");

    auto ratings = answering({DialogAnswer::ok(L"3")});
    const std::vector<std::pair<std::function<void()>, std::wstring>> steps = {  // a step, the face after it
        {[&] { click(cmdNextQuestion); }, L"System"},  // Windows-1252 alone
        {[&] { click(cmdNextQuestion); }, trueType},   // a square root, Greek and Chinese added
        {[&] { SetWindowTextW(control(txt_answer), L"4"); click(cmd_enter_response); }, L"System"},  // emptied
        {[&] { click(cmdNextQuestion); }, L"System"},
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        steps[i].first();
        pumpPending(&window());
        const LOGFONTW now = fontOf(control(txt_question));
        EXPECT_EQ(std::wstring(now.lfFaceName), steps[i].second) << "step " << i;
        EXPECT_EQ(now.lfHeight, system.lfHeight) << "step " << i;
        EXPECT_EQ(now.lfWeight, FW_BOLD) << "step " << i;
        EXPECT_EQ(face(txt_answer), L"System") << "step " << i << ": the response box keeps its font";
    }
    ASSERT_EQ(ratings->shown().size(), 1u);
    ratings.reset();
    EXPECT_NE(master().find("`q002.  What is &#8730;16 + &#916;x? &#26085;\r\n"), std::string::npos);
}

}  // namespace
}  // namespace stepwise::testing
