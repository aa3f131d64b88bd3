#include <cmath>

#include "app/main_form.h"
#include "format/cp1252.h"

namespace stepwise {

namespace {

// The character of a single-byte code, taken to the nearest whole number with halves to even.
char16_t codeCharacter(double code) { return cp1252ToChar(static_cast<unsigned char>(std::nearbyint(code))); }

}  // namespace

// A line of random characters that opens each lesson header: codeNbr to 2 x codeNbr characters,
// codes 66 to 116 and 118 to 255 only.
Text MainForm::makeCodeLine(const int& codeNbr) {
    Text line;
    for (int i = 0; i < codeNbr; ++i) {
        if (platform_.nextRandom() < 0.1f) line += codeCharacter(platform_.nextRandom() * 50.0 + 66.0);
        line += codeCharacter(platform_.nextRandom() * 137.0 + 118.0);
    }
    return line;
}

}  // namespace stepwise
