#include "review/report_text.h"

#include <optional>

#include "format/html_escape.h"
#include "format/utf8.h"
#include "system/path_text.h"

namespace stepwise::review {

std::string reportUtf8(TextView text) { return encodeUtf8(text, LoneSurrogates::replaced); }

namespace {

// Format characters that show nothing yet change what is around them: the bidirectional
// controls, which can turn a name or a message around on screen, zero-width characters and
// joiners, invisible operators, the byte-order mark, interlinear annotation and tag characters.
bool isInvisibleFormat(char32_t c) {
    return c == 0x00AD || c == 0x061C || c == 0x180E || (c >= 0x200B && c <= 0x200F) ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF ||
           (c >= 0xFFF9 && c <= 0xFFFB) || (c >= 0x1D173 && c <= 0x1D17A) || (c >= 0xE0000 && c <= 0xE007F);
}

// The character a well-formed sequence of two to four bytes at `at` holds, and its length; 0 when
// the bytes are not one.
std::size_t sequenceAt(std::string_view utf8, std::size_t at, char32_t& c) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || at + length > utf8.size()) return 0;
    const std::optional<Utf8Error> fault = firstUtf8Error(utf8.substr(at, length));
    if (fault) return 0;
    const Text text = decodeUtf8(utf8.substr(at, length)).text;
    c = text.size() == 2 ? 0x10000 + ((char32_t(text[0]) - 0xD800) << 10) + (char32_t(text[1]) - 0xDC00) : text[0];
    return length;
}

void appendCodeName(std::string& out, char32_t c) {
    constexpr char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (; c != 0 || hex.size() < 4; c >>= 4) hex.insert(hex.begin(), digits[c & 0xF]);
    out += "<U+" + hex + ">";
}

}  // namespace

std::string terminalText(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        char32_t character = 0;
        if (c >= 0xC2) {
            if (const std::size_t length = sequenceAt(utf8, i, character); length && isInvisibleFormat(character)) {
                appendCodeName(out, character);
                i += length - 1;
                continue;
            }
        }
        if (c < 0x20 || c == 0x7F) {
            appendControlPicture(out, c);
        } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) < 0xA0) {
            appendUtf8(out, 0xFFFD);
            ++i;
        } else {
            out += utf8[i];
        }
    }
    return out;
}

std::string cannotWrite(const SystemError& failure) {
    return "cannot write " + utf8Path(failure.path) + ": " + failure.reason;
}

std::string countOf(long long count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

}  // namespace stepwise::review
