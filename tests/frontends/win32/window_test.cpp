// The window built from the control table: kinds, captions, places, names, tab order, fonts.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <vector>

#include "app/control_table.h"
#include "frontends/win32/main_window.h"
#include "frontends/win32/picture_box.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/message_pump.h"
#include "frontends/win32/modal_dialogs.h"

namespace stepwise::testing {
namespace {

using enum ControlId;
using win32::DpiScale;

class WindowTest : public ::testing::Test {
protected:
    HWND control(ControlId id) { return window.control(id); }
    RECT clientRect(HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, window.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    std::wstring className(HWND hwnd) {
        wchar_t name[64] = L"";
        GetClassNameW(hwnd, name, 64);
        return name;
    }
    LONG style(HWND hwnd) { return GetWindowLongW(hwnd, GWL_STYLE); }

    win32::MainWindow window;
};

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::wstring accessibleName(HWND hwnd) {
    IAccessible* accessible = nullptr;
    if (FAILED(AccessibleObjectFromWindow(hwnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&accessible))))
        return L"(no accessible object)";
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring result = L"(no name)";
    if (SUCCEEDED(accessible->get_accName(self, &name)) && name) result = name;
    SysFreeString(name);
    accessible->Release();
    return result;
}

TEST(DpiScaleTest, TwipsBecomePixelsAtTheScreenResolution) {
    EXPECT_EQ(DpiScale{96}.pixels(10875), 725);
    EXPECT_EQ(DpiScale{96}.pixels(8490), 566);
    EXPECT_EQ(DpiScale{96}.pixels(135), 9);
    EXPECT_EQ(DpiScale{144}.pixels(10875), 1088);  // 1087.5 rounds up
    EXPECT_EQ(DpiScale{144}.pixels(135), 14);      // 13.5 rounds up
    EXPECT_EQ(DpiScale{192}.pixels(8490), 1132);
    EXPECT_EQ(DpiScale{96}.fontPixels(9.75), 13);
    EXPECT_EQ(DpiScale{144}.fontPixels(9.75), 20);  // 19.5 rounds up
    EXPECT_DOUBLE_EQ(DpiScale{96}.twipsPerPixel(), 15.0);
}

TEST_F(WindowTest, HasTheCaptionAndAFixedClientAreaScaledByTheResolution) {
    ASSERT_TRUE(window.exists());
    EXPECT_EQ(windowText(window.hwnd()), L"Form1");
    RECT client;
    GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, window.scale().pixels(10875));
    EXPECT_EQ(client.bottom, window.scale().pixels(8490));
    if (window.scale().dpi == 96) {
        EXPECT_EQ(client.right, 725);
        EXPECT_EQ(client.bottom, 566);
    }
    EXPECT_FALSE(style(window.hwnd()) & WS_THICKFRAME);
    EXPECT_FALSE(style(window.hwnd()) & WS_MAXIMIZEBOX);
    EXPECT_FALSE(window.isVisible());  // created hidden, for the start-up prompts
}

TEST_F(WindowTest, EveryControlHasItsKindCaptionPlaceAndAccessibleName) {
    const DpiScale scale = window.scale();
    for (const ControlSpec& row : controlTable()) {
        SCOPED_TRACE(std::string(row.name));
        HWND hwnd = control(row.id);
        if (row.kind == ControlKind::Timer) {
            EXPECT_EQ(hwnd, nullptr);
            continue;
        }
        ASSERT_NE(hwnd, nullptr);
        EXPECT_EQ(GetParent(hwnd), window.hwnd());
        EXPECT_EQ(GetDlgCtrlID(hwnd), win32::windowIdOf(row.id));
        const LONG s = style(hwnd);
        switch (row.kind) {
            case ControlKind::DisplayBox:
            case ControlKind::ResponseBox:
                EXPECT_EQ(className(hwnd), L"Edit");
                EXPECT_TRUE(s & ES_MULTILINE);
                EXPECT_TRUE(s & ES_WANTRETURN);
                EXPECT_TRUE(s & WS_VSCROLL);
                break;
            case ControlKind::TextLine:
                EXPECT_EQ(className(hwnd), L"Edit");
                EXPECT_FALSE(s & ES_MULTILINE);
                break;
            case ControlKind::Button:
                EXPECT_EQ(className(hwnd), L"Button");
                EXPECT_EQ(s & BS_TYPEMASK, BS_PUSHBUTTON);
                break;
            case ControlKind::Label: EXPECT_EQ(className(hwnd), L"Static"); break;
            case ControlKind::ListBox:
                EXPECT_EQ(className(hwnd), L"ListBox");
                EXPECT_EQ(SendMessageW(hwnd, LB_GETCOUNT, 0, 0), 0);
                break;
            case ControlKind::PictureBox: EXPECT_NE(win32::PictureBox::of(hwnd), nullptr); break;
            case ControlKind::Timer: break;
        }
        if (row.kind != ControlKind::PictureBox && row.kind != ControlKind::ListBox) {
            EXPECT_EQ(windowText(hwnd), win32::toWide(row.caption));
        }
        const RECT expected{scale.pixels(row.left), scale.pixels(row.top),
                            scale.pixels(row.left) + scale.pixels(row.width),
                            scale.pixels(row.top) + scale.pixels(row.height)};
        EXPECT_TRUE(sameRect(clientRect(hwnd), expected));
        EXPECT_EQ(accessibleName(hwnd), win32::toWide(row.accessibleName));
    }
}

TEST_F(WindowTest, NarrowAndCutOffControlsKeepTheirExactPixels) {
    if (window.scale().dpi != 96) GTEST_SKIP() << "the pixels below are those of 96 dots per inch";
    EXPECT_TRUE(sameRect(clientRect(control(cmd_display_note_file)), RECT{216, 16, 225, 49}));
    EXPECT_TRUE(sameRect(clientRect(control(cmd_quit)), RECT{680, 0, 729, 33}));          // past the right edge
    EXPECT_TRUE(sameRect(clientRect(control(cmd_copy_picture)), RECT{80, 544, 137, 577})); // past the bottom edge
    EXPECT_TRUE(sameRect(clientRect(control(txt_parameter_2)), RECT{547, 512, 567, 531}));
}

TEST_F(WindowTest, TabOrderFollowsTheTableAndSkipsLabels) {
    std::vector<HWND> expected;
    for (const ControlSpec& row : controlTable())
        if (row.kind != ControlKind::Label && row.kind != ControlKind::Timer) expected.push_back(control(row.id));
    std::vector<HWND> chain;
    HWND at = control(txt_question);
    do {
        chain.push_back(at);
        at = GetNextDlgTabItem(window.hwnd(), at, FALSE);
    } while (at && at != control(txt_question) && chain.size() <= expected.size());
    EXPECT_EQ(chain, expected);
    EXPECT_EQ(GetNextDlgTabItem(window.hwnd(), control(txt_question), TRUE), control(cmd_clear_answer_box));
    for (ControlId label : {lbl_paragraph_goback, lbl_parameter_0, lbl_only_if_prompted})
        EXPECT_FALSE(style(control(label)) & WS_TABSTOP);
}

TEST_F(WindowTest, TabLeavesTheLargeBoxesInsteadOfTypingATab) {
    window.show();
    SetFocus(control(txt_question));
    PostMessageW(control(txt_question), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(pumpUntil(&window, [&] { return GetFocus() == control(txt_answer); }));
    PostMessageW(control(txt_answer), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_TRUE(pumpUntil(&window, [&] { return GetFocus() == control(cmdNextQuestion); }));
    EXPECT_EQ(windowText(control(txt_question)), L"");
    EXPECT_EQ(windowText(control(txt_answer)), L" ");
}

TEST_F(WindowTest, EscapeInALargeBoxLeavesTheWindowOpen) {
    window.show();
    SetFocus(control(txt_answer));
    PostMessageW(control(txt_answer), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(control(txt_answer), WM_CHAR, VK_ESCAPE, 0);
    pumpUntil(&window, [] { return false; }, 200);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(WindowTest, LargeBoxesUseSystemBoldNineAndThreeQuarterPoint) {
    for (ControlId id : {txt_question, txt_answer}) {
        LOGFONTW font{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(id), WM_GETFONT, 0, 0)), sizeof font, &font));
        EXPECT_STREQ(font.lfFaceName, L"System");
        EXPECT_EQ(font.lfWeight, FW_BOLD);
        EXPECT_EQ(font.lfHeight, -window.scale().fontPixels(9.75));
        EXPECT_EQ(font.lfCharSet, ANSI_CHARSET);
    }
    for (ControlId id : {cmdNextQuestion, txt_parameter_0, lbl_parameter_0}) {
        LOGFONTW font{};
        ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(id), WM_GETFONT, 0, 0)), sizeof font, &font));
        EXPECT_LT(font.lfWeight, FW_BOLD);
        EXPECT_STRNE(font.lfFaceName, L"System");
    }
}

}  // namespace
}  // namespace stepwise::testing
