#include "support/fake_platform.h"

#include <fstream>
#include <sstream>

namespace stepwise::testing {

FakePlatform::FakePlatform(const std::filesystem::path& driveRoot) : SystemPlatform(driveRoot) {}

Text FakePlatform::inputPrompt(const Text& message) {
    prompts.push_back(message);
    if (onPrompt) return onPrompt(message);
    if (answers.empty()) return u"";
    Text answer = answers.front();
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

}  // namespace stepwise::testing
