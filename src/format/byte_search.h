#pragma once
// Finds the next byte of a small set in a long text: sixteen bytes at a time with SSE2 (which
// every x86-64 processor has), one at a time elsewhere. Escaping a report's answers is mostly
// copying runs of bytes that need nothing; this finds where a run ends.
#include <array>
#include <cstddef>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace stepwise {

// The bytes looked for: up to a few single bytes and, when `controls`, the C0 control codes other
// than tab, CR and LF.
template <std::size_t N>
struct ByteSet {
    std::array<char, N> bytes;
    bool controls = false;

    bool contains(unsigned char c) const {
        if (controls && c < 0x20 && c != '\t' && c != '\r' && c != '\n') return true;
        for (char b : bytes)
            if (c == static_cast<unsigned char>(b)) return true;
        return false;
    }
};

// The position of the first byte of `set` at or after `from`, or text.size() when there is none.
template <std::size_t N>
std::size_t findByteOf(std::string_view text, std::size_t from, const ByteSet<N>& set) {
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i lastControl = _mm_set1_epi8(0x1F);
    const __m128i tab = _mm_set1_epi8('\t'), cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
    for (; i + 16 <= text.size(); i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
        __m128i found = _mm_setzero_si128();
        for (char b : set.bytes) found = _mm_or_si128(found, _mm_cmpeq_epi8(block, _mm_set1_epi8(b)));
        if (set.controls) {
            const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(block, lastControl), block);
            const __m128i lineOrTab = _mm_or_si128(_mm_cmpeq_epi8(block, tab),
                                                   _mm_or_si128(_mm_cmpeq_epi8(block, cr), _mm_cmpeq_epi8(block, lf)));
            found = _mm_or_si128(found, _mm_andnot_si128(lineOrTab, control));
        }
        if (const int mask = _mm_movemask_epi8(found)) return i + static_cast<std::size_t>(__builtin_ctz(mask));
    }
#endif
    for (; i < text.size(); ++i)
        if (set.contains(static_cast<unsigned char>(text[i]))) return i;
    return text.size();
}

}  // namespace stepwise
