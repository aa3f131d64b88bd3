#include <cmath>

#include "app/main_form.h"
#include "format/cp1252.h"
#include "format/lesson_header.h"

namespace stepwise {

namespace {

// The character of a single-byte code, taken to the nearest whole number with halves to even.
char16_t codeCharacter(double code) { return cp1252ToChar(static_cast<unsigned char>(std::nearbyint(code))); }

// A character of the code range, drawn at random: the end codes are half as likely as the others.
char16_t drawCode(Platform& platform, CodeRange range) {
    return codeCharacter(platform.nextRandom() * double(range.last - range.first) + double(range.first));
}

}  // namespace

// A line of random characters that opens each lesson header (format/lesson_header.h): codeNbr to
// 2 x codeNbr characters.
Text MainForm::makeCodeLine(const int& codeNbr) {
    Text line;
    for (int i = 0; i < codeNbr; ++i) {
        if (platform_.nextRandom() < 0.1f) line += drawCode(platform_, codeLineCodesBefore);
        line += drawCode(platform_, codeLineCodes);
    }
    return line;
}

}  // namespace stepwise
