#include "support/fake_platform.h"

#include <fstream>
#include <sstream>

namespace stepwise::testing {

FakePlatform::FakePlatform(const std::filesystem::path& driveRoot) : SystemPlatform(driveRoot) {}

void FakePlatform::replaceTextUndoably(ControlId box, const Text& text) {
    undoTexts[box] = boxes[box];
    boxes[box] = text;
}

std::optional<Text> FakePlatform::promptForLine(const Text& message) {
    prompts.push_back(message);
    if (onPrompt) return onPrompt(message);
    if (answers.empty()) return std::nullopt;
    std::optional<Text> answer = answers.front();
    answers.pop_front();
    return answer;
}

bool FakePlatform::askOkCancel(const Text& message) {
    messages.push_back(message);
    if (okCancelAnswers.empty()) return false;
    const bool ok = okCancelAnswers.front();
    okCancelAnswers.pop_front();
    return ok;
}

float FakePlatform::nextRandom() {
    ++randomDraws;
    return SystemPlatform::nextRandom();
}

bool FakePlatform::putClipboardPicture(const Picture& p) {
    if (!clipboardWorks) return false;
    clipboard = p;
    return true;
}

void FakePlatform::enableTimer(ControlId, int intervalMs) {
    ++timerEnables;
    timerInterval = intervalMs;
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

Text shownPath(std::filesystem::path path) {
    const std::u8string utf8 = path.make_preferred().u8string();
    return fromUtf8(std::string(utf8.begin(), utf8.end()));
}

bool everyLineBreakIsCrLf(const std::string& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) return false;
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) return false;
    }
    return true;
}

}  // namespace stepwise::testing
