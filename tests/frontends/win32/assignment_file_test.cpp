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

    struct Step {
        const char* what;
        std::function<void()> act;
        std::wstring face;  // of the display box afterwards
    };
    auto ratings = answering({DialogAnswer::ok(L"3")});
    const std::vector<Step> steps = {
        {"a block of Windows-1252 characters", [&] { click(cmdNextQuestion); }, L"System"},
        {"a block with a square root, Greek and Chinese after it", [&] { click(cmdNextQuestion); }, trueType},
        {"a response recorded empties the box",
         [&] {
             SetWindowTextW(control(txt_answer), L"4");
             click(cmd_enter_response);
         },
         L"System"},
        {"the next block fits System", [&] { click(cmdNextQuestion); }, L"System"},
    };
    for (const Step& step : steps) {
        step.act();
        pumpPending(&window());
        EXPECT_EQ(face(txt_question), step.face) << step.what;
        EXPECT_EQ(face(txt_answer), L"System") << step.what << ": the response box keeps its font";
        const LOGFONTW now = fontOf(control(txt_question));
        EXPECT_EQ(now.lfHeight, system.lfHeight) << step.what;
        EXPECT_EQ(now.lfWeight, FW_BOLD) << step.what;
    }
    ASSERT_EQ(ratings->shown().size(), 1u);
    ratings.reset();
    EXPECT_NE(master().find("`q002.  What is &#8730;16 + &#916;x? &#26085;\r\n"), std::string::npos);
}

TEST_F(Win32AssignmentFile, TheBlockIsShownAsItsOwnCharacters) {
    const std::filesystem::path file = temp.path() / "greek.stepwise";
    std::ofstream(file, std::ios::binary) << "008.  Greek\n---\n\xCE\xB1\xCE\xB2\xCE\xB3 \xF0\x9F\x99\x82\n---\nend program\n";
    form.useAssignmentFile(file);
    ASSERT_TRUE(start());
    click(cmdNextQuestion);
    EXPECT_EQ(win32::windowText(control(txt_question)), L"\u03B1\u03B2\u03B3 \U0001F642");
    EXPECT_EQ(platform.text(txt_question), u"\u03B1\u03B2\u03B3 \U0001F642");
}

}  // namespace
}  // namespace stepwise::testing
