#include "format/cp1252.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

#include "format/utf8.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stepwise {

namespace {

// Bytes 80 to 9F; the undefined ones map to the control character of the same code.
constexpr std::array<char16_t, 32> high = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Every byte's character, so that decoding is one lookup a byte.
constexpr std::array<char16_t, 256> characters = [] {
    std::array<char16_t, 256> table{};
    for (int b = 0; b < 256; ++b) table[b] = b >= 0x80 && b < 0xA0 ? high[b - 0x80] : static_cast<char16_t>(b);
    return table;
}();

// The byte for a character, or -1 when the code page has none.
int byteFor(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
    // Bytes 80 to 9F stand for characters from U+0081 to U+2122: most others are none of them.
    if (c > 0x2122 || (c > 0x02DC && c < 0x2013)) return -1;
    for (int i = 0; i < 32; ++i)
        if (high[i] == c) return 0x80 + i;
    return -1;
}

// The character a reference written by appendCp1252 stands for, given the digits between "&#" and
// ";"; 0 when no reference of those digits is ever written.
char32_t referencedCharacter(std::string_view digits) {
    if (digits.empty() || digits.size() > 7 || digits[0] == '0') return 0;
    char32_t codePoint = 0;
    for (char digit : digits) {
        if (digit < '0' || digit > '9') return 0;
        codePoint = codePoint * 10 + static_cast<char32_t>(digit - '0');
    }
    if (codePoint > 0x10FFFF) return 0;
    if (codePoint < 0x10000 && byteFor(static_cast<char16_t>(codePoint)) >= 0) return 0;
    return codePoint;
}

// Decodes bytes into as many characters; runs of ASCII sixteen bytes at a time where SSE2 widens
// them in two steps (eight bytes at a time elsewhere, which the compiler widens in one go).
void decodeInto(std::string_view bytes, char16_t* out) {
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i zero = _mm_setzero_si128();
    for (; i + 16 <= bytes.size(); i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + i));
        if (_mm_movemask_epi8(block)) {
            for (std::size_t k = i; k < i + 16; ++k) out[k] = characters[static_cast<unsigned char>(bytes[k])];
            continue;
        }
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_unpacklo_epi8(block, zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i + 8), _mm_unpackhi_epi8(block, zero));
    }
#endif
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        if (word & 0x8080808080808080u) {
            for (std::size_t k = i; k < i + 8; ++k) out[k] = characters[static_cast<unsigned char>(bytes[k])];
            continue;
        }
        for (std::size_t k = i; k < i + 8; ++k) out[k] = static_cast<unsigned char>(bytes[k]);
    }
    for (; i < bytes.size(); ++i) out[i] = characters[static_cast<unsigned char>(bytes[i])];
}

}  // namespace

char16_t cp1252ToChar(unsigned char byte) { return characters[byte]; }

bool fitsCp1252(TextView text) {
    for (char16_t c : text)
        if (byteFor(c) < 0) return false;  // a surrogate has no byte either
    return true;
}

void appendCp1252(std::string& bytes, TextView text) {
    for (std::size_t i = 0; i < text.size();) {
        // A surrogate, paired or lone, has no byte: its reference is written.
        const char32_t codePoint = nextCodePoint(text, i);
        const int b = codePoint < 0x10000 ? byteFor(static_cast<char16_t>(codePoint)) : -1;
        if (b >= 0)
            bytes += static_cast<char>(b);
        else
            bytes += "&#" + std::to_string(static_cast<unsigned long>(codePoint)) + ";";
    }
}

std::string encodeCp1252(TextView text) {
    std::string bytes;
    bytes.reserve(text.size());
    appendCp1252(bytes, text);
    return bytes;
}

Text decodeCp1252(std::string_view bytes) {
    Text text;
    text.resize(bytes.size());
    decodeInto(bytes, text.data());
    return text;
}

namespace {

// Splits bytes as encodeCp1252 wrote them into runs of plain bytes, handed to `plain`, and the
// characters their references stand for, handed to `referenced` (a lone surrogate was written as
// a reference of its own). A reference encodeCp1252 never writes is plain bytes.
template <typename Plain, typename Referenced>
void splitReferences(std::string_view bytes, Plain plain, Referenced referenced) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t reference = bytes.find("&#", i);
        const std::size_t plainEnd = reference == std::string_view::npos ? bytes.size() : reference;
        if (plainEnd > i) plain(bytes.substr(i, plainEnd - i));
        i = plainEnd;
        if (reference == std::string_view::npos) break;
        const std::size_t semicolon = bytes.substr(reference + 2, 8).find(';');
        const char32_t codePoint =
            semicolon == std::string_view::npos ? 0 : referencedCharacter(bytes.substr(reference + 2, semicolon));
        if (codePoint == 0) {
            plain(bytes.substr(reference, 1));
            i = reference + 1;
            continue;
        }
        referenced(codePoint);
        i = reference + 2 + semicolon + 1;
    }
}

}  // namespace

Text decodeCp1252WithReferences(std::string_view bytes) {
    Text text;
    splitReferences(
        bytes,
        [&](std::string_view run) {
            const std::size_t decoded = text.size();
            text.resize(decoded + run.size());
            decodeInto(run, text.data() + decoded);
        },
        [&](char32_t codePoint) { appendCodePoint(text, codePoint); });
    return text;
}

namespace {

// Bytes 80 to FF in UTF-8: two bytes or three.
struct Utf8Bytes {
    std::array<char, 3> bytes;
    std::size_t size;
};
constexpr std::array<Utf8Bytes, 128> highBytesInUtf8 = [] {
    std::array<Utf8Bytes, 128> table{};
    for (int b = 0x80; b < 0x100; ++b) {
        const char16_t c = characters[b];
        Utf8Bytes& utf8 = table[b - 0x80];
        if (c < 0x800) {
            utf8 = {{static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0}, 2};
        } else {
            utf8 = {{static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                     static_cast<char>(0x80 | (c & 0x3F))},
                    3};
        }
    }
    return table;
}();

// Bytes that are no text: C0 control codes other than tab, CR and LF, and DEL.
bool isControlByte(unsigned char c) { return (c < 0x20 && c != '\t' && c != '\r' && c != '\n') || c == 0x7F; }

// The five bytes the code page leaves undefined.
bool isUndefinedByte(unsigned char c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

// The position of the first byte from 80 to FF at or after `from`, or bytes.size(); the control
// bytes before it are added to `controls`.
std::size_t nextHighByte(std::string_view bytes, std::size_t from, std::size_t& controls) {
    std::size_t at = from;
#if defined(__SSE2__)
    const __m128i lastControl = _mm_set1_epi8(0x1F), del = _mm_set1_epi8(0x7F);
    const __m128i tab = _mm_set1_epi8('\t'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; at + 16 <= bytes.size(); at += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes.data() + at));
        const __m128i lineOrTab =
            _mm_or_si128(_mm_cmpeq_epi8(block, tab), _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
        const __m128i control = _mm_or_si128(
            _mm_andnot_si128(lineOrTab, _mm_cmpeq_epi8(_mm_min_epu8(block, lastControl), block)), _mm_cmpeq_epi8(block, del));
        auto odd = static_cast<unsigned>(_mm_movemask_epi8(control));
        const int high = _mm_movemask_epi8(block);
        const int stop = high ? __builtin_ctz(high) : 16;
        // Control bytes are rare: counted a bit at a time (no population count in plain x86-64).
        for (odd &= (1u << stop) - 1; odd; odd &= odd - 1) ++controls;
        if (high) return at + static_cast<std::size_t>(stop);
    }
#endif
    for (; at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80; ++at)
        if (isControlByte(static_cast<unsigned char>(bytes[at]))) ++controls;
    return at;
}

// Appends bytes that hold no reference as UTF-8: runs of ASCII are copied as they stand. The
// bytes that are no text are counted into `notText`.
void appendCp1252AsUtf8(std::string& out, std::string_view bytes, std::size_t& notText) {
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t high = nextHighByte(bytes, i, notText);
        out.append(bytes.data() + i, high - i);
        if (high == bytes.size()) return;
        const auto byte = static_cast<unsigned char>(bytes[high]);
        if (isUndefinedByte(byte)) ++notText;
        const Utf8Bytes& utf8 = highBytesInUtf8[byte - 0x80];
        out.append(utf8.bytes.data(), utf8.size);
        i = high + 1;
    }
}

bool isHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::string decodeCp1252WithReferencesToUtf8(std::string_view bytes, std::size_t* notText) {
    std::size_t odd = 0;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    char32_t pendingHigh = 0;  // a reference to a high surrogate, waiting for one to a low surrogate
    const auto dropPending = [&] {
        if (pendingHigh) appendUtf8(out, 0xFFFD);
        pendingHigh = 0;
    };
    splitReferences(
        bytes,
        [&](std::string_view run) {
            dropPending();
            appendCp1252AsUtf8(out, run, odd);
        },
        [&](char32_t codePoint) {
            if (pendingHigh && isLowSurrogate(codePoint)) {
                appendUtf8(out, 0x10000 + ((pendingHigh - 0xD800) << 10) + (codePoint - 0xDC00));
                pendingHigh = 0;
                return;
            }
            dropPending();
            if (isHighSurrogate(codePoint)) pendingHigh = codePoint;
            else appendUtf8(out, isLowSurrogate(codePoint) ? 0xFFFD : codePoint);
        });
    dropPending();
    if (notText) *notText = odd;
    return out;
}

std::size_t countNonTextBytes(std::string_view bytes) {
    std::size_t count = 0;
    for (const char b : bytes) count += isControlByte(static_cast<unsigned char>(b)) || isUndefinedByte(static_cast<unsigned char>(b));
    return count;
}

}  // namespace stepwise
