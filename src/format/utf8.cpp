#include "format/utf8.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    // The bytes are made first and appended in one go: one look at the room left, not one a byte.
    char bytes[4];
    std::size_t size = 0;
    if (codePoint < 0x80) {
        bytes[size++] = static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        bytes[size++] = static_cast<char>(0xC0 | (codePoint >> 6));
        bytes[size++] = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        bytes[size++] = static_cast<char>(0xE0 | (codePoint >> 12));
        bytes[size++] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes[size++] = static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        bytes[size++] = static_cast<char>(0xF0 | (codePoint >> 18));
        bytes[size++] = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        bytes[size++] = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        bytes[size++] = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    out.append(bytes, size);
}

std::string encodeUtf8(TextView text, LoneSurrogates lone) {
    // Room for the most it can take, one byte an ASCII unit and three any other (a pair is four
    // bytes for two), written through a pointer and cut to size at the end: most text is ASCII,
    // copied in blocks.
    std::size_t beyondAscii = 0;
    for (char16_t unit : text) beyondAscii += unit >= 0x80;
    std::string out(text.size() + 2 * beyondAscii, '\0');
    char* to = out.data();
    const char16_t* from = text.data();
    const char16_t* const end = from + text.size();
    while (from < end) {
#if defined(__SSE2__)
        // Sixteen units at a time: when none is past 7F, packing them gives the sixteen bytes.
        while (end - from >= 16) {
            const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
            const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 8));
            const __m128i beyond = _mm_and_si128(_mm_or_si128(low, high), _mm_set1_epi16(static_cast<short>(0xFF80)));
            if (_mm_movemask_epi8(_mm_cmpeq_epi16(beyond, _mm_setzero_si128())) != 0xFFFF) break;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(to), _mm_packus_epi16(low, high));
            from += 16;
            to += 16;
        }
#endif
        // Four units at a time as one 64-bit word: when none is past 7F, their low bytes are the
        // four bytes out (in the order a little-endian machine keeps them).
        while (std::endian::native == std::endian::little && end - from >= 4) {
            std::uint64_t units;
            std::memcpy(&units, from, sizeof units);
            if (units & 0xFF80FF80FF80FF80u) break;
            const std::uint32_t bytes = static_cast<std::uint32_t>((units & 0xFF) | ((units >> 8) & 0xFF00) |
                                                                   ((units >> 16) & 0xFF0000) | ((units >> 24) & 0xFF000000));
            std::memcpy(to, &bytes, sizeof bytes);
            from += 4;
            to += 4;
        }
        if (from == end) break;
        const char16_t unit = *from;
        if (unit < 0x80) {
            *to++ = static_cast<char>(unit);
            ++from;
            continue;
        }
        if (unit < 0x800) {
            *to++ = static_cast<char>(0xC0 | (unit >> 6));
            *to++ = static_cast<char>(0x80 | (unit & 0x3F));
            ++from;
            continue;
        }
        std::size_t i = static_cast<std::size_t>(from - text.data());
        char32_t codePoint = nextCodePoint(text, i);
        from = text.data() + i;
        if (codePoint >= 0xD800 && codePoint <= 0xDFFF && lone == LoneSurrogates::replaced) codePoint = replacementCharacter;
        if (codePoint < 0x10000) {
            *to++ = static_cast<char>(0xE0 | (codePoint >> 12));
        } else {
            *to++ = static_cast<char>(0xF0 | (codePoint >> 18));
            *to++ = static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        }
        *to++ = static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
    return out;
}

}  // namespace stepwise
