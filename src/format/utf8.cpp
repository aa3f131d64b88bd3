#include "format/utf8.h"

#include <algorithm>

namespace stepwise {

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

struct Sequence {
    char32_t value;  // U+FFFD for a byte that leads no sequence and for a sequence cut short
    std::size_t length;
    std::optional<Utf8Fault> fault;
};

// The sequence that starts at bytes[at]: its length and value as the program has always read them
// (see DecodedUtf8::text), and what, if anything, keeps it from being well-formed.
Sequence readSequence(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (lead < 0x80) return {lead, 1, std::nullopt};
    std::size_t length;
    char32_t value;
    char32_t smallest;  // the least value that needs this many bytes
    if ((lead >> 5) == 0x6) {
        length = 2, value = lead & 0x1F, smallest = 0x80;
    } else if ((lead >> 4) == 0xE) {
        length = 3, value = lead & 0x0F, smallest = 0x800;
    } else if ((lead >> 3) == 0x1E) {
        length = 4, value = lead & 0x07, smallest = 0x10000;
    } else {
        return {replacementCharacter, 1, isUtf8Continuation(lead) ? Utf8Fault::strayContinuation : Utf8Fault::notALeadByte};
    }
    std::optional<Utf8Fault> fault;
    const std::size_t available = std::min(length, bytes.size() - at);
    for (std::size_t k = 1; k < available; ++k) {
        const auto next = static_cast<unsigned char>(bytes[at + k]);
        if (!isUtf8Continuation(next) && !fault) fault = Utf8Fault::badContinuation;
        value = (value << 6) | (next & 0x3F);
    }
    if (available < length) return {replacementCharacter, available, fault.value_or(Utf8Fault::cutShort)};
    if (fault) return {value, length, fault};
    if (value < smallest) return {value, length, Utf8Fault::overlong};
    if (value >= 0xD800 && value <= 0xDFFF) return {value, length, Utf8Fault::surrogate};
    if (value > 0x10FFFF) return {value, length, Utf8Fault::pastUnicode};
    return {value, length, std::nullopt};
}

}  // namespace

DecodedUtf8 decodeUtf8(std::string_view bytes) {
    DecodedUtf8 decoded;
    decoded.text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        const Sequence sequence = readSequence(bytes, at);
        if (sequence.fault && !decoded.error) decoded.error = Utf8Error{at, *sequence.fault};
        appendCodePoint(decoded.text, sequence.value);
        at += sequence.length;
    }
    return decoded;
}

std::optional<Utf8Error> firstUtf8Error(std::string_view bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const Sequence sequence = readSequence(bytes, at);
        if (sequence.fault) return Utf8Error{at, *sequence.fault};
        at += sequence.length;
    }
    return std::nullopt;
}

void appendUtf8(std::string& out, char32_t codePoint) {
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

std::string encodeUtf8(TextView text, LoneSurrogates lone) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size();) {
        // Most text is ASCII: a run of it is copied unit by unit into room made for it at once.
        std::size_t run = i;
        while (run < text.size() && text[run] < 0x80) ++run;
        if (run > i) {
            const std::size_t at = out.size();
            out.resize(at + (run - i));
            char* to = out.data() + at;
            for (; i < run; ++i) *to++ = static_cast<char>(text[i]);
            continue;
        }
        const char32_t codePoint = nextCodePoint(text, i);
        const bool loneSurrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
        appendUtf8(out, loneSurrogate && lone == LoneSurrogates::replaced ? replacementCharacter : codePoint);
    }
    return out;
}

}  // namespace stepwise
