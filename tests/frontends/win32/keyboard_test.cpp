// The lesson by keyboard in the real Win32 window: the shortcuts, the focus that follows the lesson
// for a screen reader, the caret put where a text position lies, and the name prompt's Cancel.
#include <gtest/gtest.h>

#include <oleacc.h>

#include <cstring>

#include "app/start_up.h"
#include "frontends/win32/wide_text.h"
#include "frontends/win32/win32_lesson_fixture.h"

namespace stepwise::testing {
namespace {

using enum ControlId;

// Whether a screen reader runs, as Windows tells programs, for the life of the object.
class ScreenReaderSetting {
public:
    explicit ScreenReaderSetting(bool running) {
        SystemParametersInfoW(SPI_GETSCREENREADER, 0, &before_, 0);
        SystemParametersInfoW(SPI_SETSCREENREADER, running, nullptr, 0);
    }
    ~ScreenReaderSetting() { SystemParametersInfoW(SPI_SETSCREENREADER, before_, nullptr, 0); }
    ScreenReaderSetting(const ScreenReaderSetting&) = delete;
    ScreenReaderSetting& operator=(const ScreenReaderSetting&) = delete;

private:
    BOOL before_ = FALSE;
};

// One fresh lesson, started with the name Ann Lee and the default folder.
struct Lesson {
    Lesson() : platform(temp.path()), form(platform) { platform.connect(form); }
    bool start(std::deque<DialogAnswer> answers = {DialogAnswer::ok(L"Ann Lee"), DialogAnswer::ok()}) {
        DialogDriver startUp(std::move(answers));
        form.load();
        startUp.stop();
        prompts = startUp.shown();
        if (form.ended()) return false;
        platform.window().show();
        pumpPending(&platform.window());
        return platform.window().isVisible();
    }
    HWND control(ControlId id) { return platform.window().control(id); }
    // A key pressed in a control with Ctrl (and Shift) held, through the window's message loop.
    void press(ControlId focused, WORD key, bool ctrl, bool shift) {
        SetFocus(control(focused));
        BYTE keys[256], held[256];
        GetKeyboardState(keys);
        std::memcpy(held, keys, sizeof keys);
        if (ctrl) held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
        if (shift) held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
        SetKeyboardState(held);
        PostMessageW(control(focused), WM_KEYDOWN, key, 1);
        pumpPending(&platform.window());
        SetKeyboardState(keys);
        pumpPending(&platform.window());
    }
    std::string send() const { return readBytes(temp.path() / "qwelrand" / "send_1207Ann_Lee.txt"); }
    // The box's text from its caret on, without the soft breaks of its long paragraphs.
    Text fromCaret(ControlId box) {
        DWORD start = 0, end = 0;
        SendMessageW(control(box), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        std::wstring rest = win32::windowText(control(box)).substr(start);
        for (std::size_t at; (at = rest.find(win32::softBreak)) != std::wstring::npos;) rest.erase(at, win32::softBreak.size());
        return win32::fromWide(rest);
    }

    TempDir temp;
    FixedClockWin32Platform platform;
    MainForm form;
    std::vector<ShownDialog> prompts;
};

const Text block2Start = u"`q001.  You should copy";
const std::string confidence3 = "RESPONSE -->  \r\nmy answer\r\nconfidence assessment:  3\r\n"
                                ".................................................\r\n";
const std::string noteSaved = "......!!!!!!!!...................................\r\nNOTES -------> my answer\r\n"
                              ".................................................";

TEST(Win32Keyboard, ShortcutsWorkTheLessonAndTheFocusFollowsOnlyForAScreenReader) {
    struct Case {
        const char* what;
        bool screenReader;
        int nextClicksFirst;
        std::wstring typed;  // the response box's text first, when not empty
        ControlId focusedFirst;
        WORD key;
        bool shift;
        std::wstring rating;
        ControlId focusedAfter;
        Text readFromCaret;        // the focused box's text from the caret starts with this
        std::string sendEndsWith;  // "": the SEND file unchanged
        Text responseAfter;
    };
    const Case cases[] = {
        {"Ctrl+N from the response box, screen reader", true, 0, {}, txt_answer, 'N', false, {}, txt_question, block2Start, "", u" "},
        {"Ctrl+N from a picture box, screen reader", true, 0, {}, Picture2, 'N', false, {}, txt_question, block2Start, "", u" "},
        {"Ctrl+N from the response box, no screen reader", false, 0, {}, txt_answer, 'N', false, {}, txt_answer, {}, "", u" "},
        {"Ctrl+Return records without a line break, screen reader", true, 1, L"my answer", txt_answer, VK_RETURN, false,
         L"3", txt_answer, {}, confidence3, u""},
        {"Ctrl+Return from the display box, screen reader", true, 1, L"my answer", txt_question, VK_RETURN, false, L"3",
         txt_answer, {}, confidence3, u""},
        {"Ctrl+Return from the display box, no screen reader", false, 1, L"my answer", txt_question, VK_RETURN, false,
         L"3", txt_question, {}, confidence3, u""},
        {"Ctrl+Shift+Return saves a note", true, 1, L"my answer", txt_answer, VK_RETURN, true, {}, txt_answer, {}, noteSaved, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScreenReaderSetting screenReader(c.screenReader);
        Lesson lesson;
        ASSERT_TRUE(lesson.start());
        for (int i = 0; i < c.nextClicksFirst; ++i) SendMessageW(lesson.control(cmdNextQuestion), BM_CLICK, 0, 0);
        if (!c.typed.empty()) lesson.platform.setText(txt_answer, win32::fromWide(c.typed));
        const std::string sendBefore = lesson.send();

        DialogDriver ratings({DialogAnswer::ok(c.rating)});
        lesson.press(c.focusedFirst, c.key, true, c.shift);
        ratings.stop();

        EXPECT_EQ(ratings.shown().size(), c.rating.empty() ? 0u : 1u) << "the rating prompt, as for a click";
        EXPECT_EQ(GetFocus(), lesson.control(c.focusedAfter));
        if (!c.readFromCaret.empty()) {
            EXPECT_EQ(lesson.fromCaret(c.focusedAfter).substr(0, c.readFromCaret.size()), c.readFromCaret);
        }
        const std::string send = lesson.send();
        if (c.sendEndsWith.empty()) {
            EXPECT_EQ(send, sendBefore);
        } else {
            ASSERT_GE(send.size(), c.sendEndsWith.size());
            EXPECT_EQ(send.substr(send.size() - c.sendEndsWith.size()), c.sendEndsWith);
        }
        EXPECT_EQ(lesson.platform.text(txt_answer), c.responseAfter);
        if (c.key == 'N') {
            EXPECT_NE(lesson.platform.text(txt_question).find(block2Start), Text::npos);
        }
    }
}

TEST(Win32Keyboard, TheCaretGoesWhereTheTextPositionLiesPastSoftBreaks) {
    Lesson lesson;
    ASSERT_TRUE(lesson.start());
    Text paragraph;
    for (int i = 0; i < 400; ++i) paragraph += u"word" + decimalText(i) + u" ";
    const Text text = u"first line\r\n" + paragraph + u"\r\n\r\nlast";
    lesson.platform.setText(txt_question, text);
    ASSERT_NE(win32::windowText(lesson.control(txt_question)).find(win32::softBreak), std::wstring::npos)
        << "the long paragraph is shown with soft breaks";
    const std::size_t positions[] = {0, 5, 10, 12, 13, 100, 1000, 2000, text.size() - 4, text.size() - 1, text.size()};
    for (const std::size_t caret : positions) {
        SetFocus(lesson.control(txt_answer));
        lesson.platform.focusBox(txt_question, caret);
        EXPECT_EQ(GetFocus(), lesson.control(txt_question)) << caret;
        EXPECT_EQ(lesson.fromCaret(txt_question), text.substr(caret)) << caret;
    }
    lesson.platform.focusBox(txt_question, text.size() + 50);
    EXPECT_EQ(lesson.fromCaret(txt_question), u"") << "past the end: at the end";
}

TEST(Win32Keyboard, TheNamePromptEndsOnCancelAndAsksAgainForAnEmptyName) {
    struct Case {
        const char* what;
        std::deque<DialogAnswer> answers;
        bool starts;
        int namePrompts;
        int nameNeededMessages;
    };
    const Case cases[] = {
        {"Cancel", {DialogAnswer::cancel(L"Ann")}, false, 1, 0},
        {"the close box", {DialogAnswer::close()}, false, 1, 0},
        {"OK on nothing, then a name", {DialogAnswer::ok(), DialogAnswer::ok(), DialogAnswer::ok(L"Ann Lee"), DialogAnswer::ok()}, true, 2, 1},
        {"OK on spaces, then Cancel", {DialogAnswer::ok(L"  "), DialogAnswer::ok(), DialogAnswer::cancel()}, false, 2, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lesson lesson;
        EXPECT_EQ(lesson.start(c.answers), c.starts);
        int namePrompts = 0, nameNeeded = 0;
        for (const ShownDialog& shown : lesson.prompts) {
            namePrompts += shown.kind == L"inputPrompt" && shown.message == win32::toWide(namePrompt);
            nameNeeded += shown.kind == L"messageBox" && shown.message == win32::toWide(nameNeededMessage);
        }
        EXPECT_EQ(namePrompts, c.namePrompts);
        EXPECT_EQ(nameNeeded, c.nameNeededMessages);
        EXPECT_TRUE(std::filesystem::is_directory(lesson.temp.path() / "qwelrand"));
        EXPECT_EQ(std::filesystem::exists(lesson.temp.path() / "qwelrand" / "masterFile_Ann_Lee.txt"), c.starts);
        EXPECT_FALSE(std::filesystem::exists(lesson.temp.path() / "qwelrand" / "masterFile_.txt"));
    }
}

TEST(Win32Keyboard, ButtonsNameTheirShortcutsAndPictureBoxesAreImagesThatSayWhatTheyHold) {
    Lesson lesson;
    ASSERT_TRUE(lesson.start());
    auto describe = [&](ControlId box) {
        IAccessible* accessible = nullptr;
        EXPECT_EQ(AccessibleObjectFromWindow(lesson.control(box), OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&accessible)), S_OK);
        if (!accessible) return std::make_pair(LONG(0), std::wstring{});
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        VARIANT role{};
        accessible->get_accRole(self, &role);
        BSTR description = nullptr;
        accessible->get_accDescription(self, &description);
        std::pair<LONG, std::wstring> answer{role.vt == VT_I4 ? role.lVal : 0, description ? description : L""};
        SysFreeString(description);
        accessible->Release();
        return answer;
    };
    EXPECT_EQ(describe(cmd_enter_response).second, L"Records your response. Shortcut: Ctrl+Return.");
    EXPECT_EQ(describe(cmdNextQuestion).second, L"Shows the next block of the lesson. Shortcut: Ctrl+N.");
    EXPECT_EQ(describe(Picture1), std::make_pair(LONG(ROLE_SYSTEM_GRAPHIC), std::wstring(L"empty")));
    EXPECT_EQ(describe(Picture2), std::make_pair(LONG(ROLE_SYSTEM_GRAPHIC), std::wstring(L"empty")));
    lesson.platform.drawCircle(Picture1, 500, 500, 100);
    lesson.platform.drawCircle(Picture1, 500, 500, 200);
    EXPECT_EQ(describe(Picture1).second, L"2 circles drawn by pend exp");
}

}  // namespace
}  // namespace stepwise::testing
