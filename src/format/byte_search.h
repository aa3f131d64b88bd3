#pragma once
// Finds the bytes of a small set in a long text. Escaping a report's answers is mostly copying
// runs of bytes that need nothing; this finds where each run ends. The text is looked at sixty-
// four bytes at a time (AVX2 where the processor has it, else SSE2, which every x86-64 processor
// has; one byte at a time elsewhere), and a block's bytes of the set are kept as a bit mask, so
// that finding the next one after the last costs a bit scan, not another look at the bytes.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define STEPWISE_BYTE_SEARCH_AVX2 1
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

namespace byte_search {

constexpr std::size_t blockSize = 64;

// Bit i set when byte i of the 64 at `p` is in the set.
#if defined(STEPWISE_BYTE_SEARCH_AVX2)
inline bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

template <std::size_t N>
__attribute__((target("avx2"))) std::uint64_t blockMaskWide(const char* p, const ByteSet<N>& set) {
    std::uint64_t mask = 0;
    for (int half = 0; half < 2; ++half) {
        const __m256i block = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32 * half));
        __m256i found = _mm256_setzero_si256();
        for (char b : set.bytes) found = _mm256_or_si256(found, _mm256_cmpeq_epi8(block, _mm256_set1_epi8(b)));
        if (set.controls) {
            const __m256i control = _mm256_cmpeq_epi8(_mm256_min_epu8(block, _mm256_set1_epi8(0x1F)), block);
            const __m256i lineOrTab = _mm256_or_si256(
                _mm256_cmpeq_epi8(block, _mm256_set1_epi8('\t')),
                _mm256_or_si256(_mm256_cmpeq_epi8(block, _mm256_set1_epi8('\r')), _mm256_cmpeq_epi8(block, _mm256_set1_epi8('\n'))));
            found = _mm256_or_si256(found, _mm256_andnot_si256(lineOrTab, control));
        }
        mask |= std::uint64_t{static_cast<std::uint32_t>(_mm256_movemask_epi8(found))} << (32 * half);
    }
    return mask;
}
#endif

template <std::size_t N>
std::uint64_t blockMask(const char* p, const ByteSet<N>& set) {
#if defined(STEPWISE_BYTE_SEARCH_AVX2)
    if (hasAvx2()) return blockMaskWide(p, set);
#endif
    std::uint64_t mask = 0;
#if defined(__SSE2__)
    for (int quarter = 0; quarter < 4; ++quarter) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * quarter));
        __m128i found = _mm_setzero_si128();
        for (char b : set.bytes) found = _mm_or_si128(found, _mm_cmpeq_epi8(block, _mm_set1_epi8(b)));
        if (set.controls) {
            const __m128i control = _mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8(0x1F)), block);
            const __m128i lineOrTab =
                _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\t')),
                             _mm_or_si128(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r')), _mm_cmpeq_epi8(block, _mm_set1_epi8('\n'))));
            found = _mm_or_si128(found, _mm_andnot_si128(lineOrTab, control));
        }
        mask |= std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(found))} << (16 * quarter);
    }
#else
    for (std::size_t i = 0; i < blockSize; ++i)
        if (set.contains(static_cast<unsigned char>(p[i]))) mask |= std::uint64_t{1} << i;
#endif
    return mask;
}

}  // namespace byte_search

// The bytes of `set` in `text`, one after another: next(from) is the first at or after `from`,
// or text.size() when there is none. Calls go forward through the text, as a loop copying runs
// makes them; a call that goes back looks at the bytes again.
template <std::size_t N>
class ByteScanner {
public:
    ByteScanner(std::string_view text, const ByteSet<N>& set) : text_(text), set_(set) {}

    std::size_t next(std::size_t from) {
        // The block looked at last, when `from` is in it.
        if (from >= start_ && from < start_ + byte_search::blockSize) {
            const std::uint64_t left = mask_ & (~std::uint64_t{0} << (from - start_));
            if (left) return start_ + static_cast<std::size_t>(__builtin_ctzll(left));
            from = start_ + byte_search::blockSize;
        }
        for (; from + byte_search::blockSize <= text_.size(); from += byte_search::blockSize) {
            start_ = from;
            mask_ = byte_search::blockMask(text_.data() + from, set_);
            if (mask_) return from + static_cast<std::size_t>(__builtin_ctzll(mask_));
        }
        start_ = npos;  // the tail, shorter than a block, byte by byte
        for (; from < text_.size(); ++from)
            if (set_.contains(static_cast<unsigned char>(text_[from]))) return from;
        return text_.size();
    }

private:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1) / 2;
    std::string_view text_;
    const ByteSet<N>& set_;
    std::size_t start_ = npos;  // where the block of `mask_` begins
    std::uint64_t mask_ = 0;
};

// The position of the first byte of `set` at or after `from`, or text.size() when there is none.
template <std::size_t N>
std::size_t findByteOf(std::string_view text, std::size_t from, const ByteSet<N>& set) {
    return ByteScanner<N>(text, set).next(from);
}

}  // namespace stepwise
