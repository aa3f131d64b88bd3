#pragma once
// A platform for core tests: scripted prompt answers, a fixed clock, real files under a temporary
// drive root, and text boxes, pictures, clipboard and timer kept in memory.
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "frontends/common/system_platform.h"
#include "support/temp_dir.h"

namespace stepwise::testing {

struct Circle {
    float x, y, radius;
};

struct TestPicture : PictureData {
    explicit TestPicture(std::string name) : name(std::move(name)) {}
    std::string name;
};

class FakePlatform : public SystemPlatform {
public:
    explicit FakePlatform(const std::filesystem::path& driveRoot);

    // Prompts are answered from this queue, first in first out; nothing (std::nullopt) and an empty
    // queue answer Cancel.
    std::deque<std::optional<Text>> answers;
    // When set, it answers instead of the queue (it sees the message).
    std::function<Text(const Text&)> onPrompt;
    std::vector<Text> prompts;    // every prompt message, in order
    std::vector<Text> messages;   // every message shown
    std::deque<bool> okCancelAnswers;  // askOkCancel answers; empty answers Cancel

    LocalTime clock{2026, 12, 7, 14, 5, 9};

    std::map<ControlId, Text> boxes;
    std::map<ControlId, Text> undoTexts;  // what an undo in each box would bring back
    std::map<ControlId, std::vector<Circle>> circles;
    std::map<ControlId, Picture> pictures;
    std::map<ControlId, std::pair<float, float>> scales;
    Picture clipboard;
    bool clipboardWorks = true;
    int timerEnables = 0;
    int timerInterval = 0;
    int beeps = 0;
    int exits = 0;
    int randomDraws = 0;
    // Whether a screen reader is running, and every focusBox() call: the box and the caret.
    bool screenReader = false;
    std::vector<std::pair<ControlId, std::size_t>> focusMoves;

    Text text(ControlId box) override { return boxes[box]; }
    void setText(ControlId box, const Text& text) override { boxes[box] = text; }
    // Keeps the replaced text where an undo would find it.
    void replaceTextUndoably(ControlId box, const Text& text) override;
    void focusBox(ControlId box, std::size_t caret) override { focusMoves.emplace_back(box, caret); }
    bool screenReaderRunning() override { return screenReader; }
    std::optional<Text> promptForLine(const Text& message) override;
    void showMessage(const Text& message) override { messages.push_back(message); }
    bool askOkCancel(const Text& message) override;
    float nextRandom() override;
    void setUserScale(ControlId box, float w, float h) override { scales[box] = {w, h}; }
    void drawCircle(ControlId box, float x, float y, float r) override { circles[box].push_back({x, y, r}); }
    Picture picture(ControlId box) override { return pictures[box]; }
    void setPicture(ControlId box, const Picture& p) override { pictures[box] = p; }
    bool putClipboardPicture(const Picture& p) override;
    Picture clipboardPicture() override { return clipboardWorks ? clipboard : Picture{}; }
    void enableTimer(ControlId, int intervalMs) override;
    void beep() override { ++beeps; }
    void closeWindowAndExit() override { ++exits; }

protected:
    LocalTime now() override { return clock; }
};

// Bytes of a file under the drive root, "" when it does not exist.
std::string readBytes(const std::filesystem::path& path);

// A real path as the student's messages name it: the system's own separators.
Text shownPath(std::filesystem::path path);

// Whether every CR and every LF in the bytes belongs to a CR LF pair.
bool everyLineBreakIsCrLf(const std::string& bytes);

}  // namespace stepwise::testing
