#include "format/unicode_normal.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>

namespace stepwise {

namespace {

struct ClassRun {
    char32_t first;
    char32_t last;
    std::uint8_t combiningClass;
};

struct Decomposition {
    char32_t composite;
    char32_t first;
    char32_t second;  // 0 when the character decomposes into one
};

struct FoldRun {
    char32_t first;
    char32_t last;
    std::int32_t delta;
    std::uint32_t step;
};

#include "format/unicode_tables.inc"

// Hangul syllables are composed of jamo by arithmetic rather than by table.
constexpr char32_t syllableBase = 0xAC00;
constexpr char32_t leadingBase = 0x1100;
constexpr char32_t vowelBase = 0x1161;
constexpr char32_t trailingBase = 0x11A7;  // trailing index 0 means no trailing consonant
constexpr char32_t leadingCount = 19;
constexpr char32_t vowelCount = 21;
constexpr char32_t trailingCount = 28;
constexpr char32_t syllableCount = leadingCount * vowelCount * trailingCount;

bool isSyllable(char32_t c) { return c >= syllableBase && c < syllableBase + syllableCount; }

// The run (or other table entry) whose first code point is the last one not above c, if any.
template <typename Entry, std::size_t N>
const Entry* lastStartingAtOrBefore(const Entry (&table)[N], char32_t c) {
    const Entry* after = std::upper_bound(std::begin(table), std::end(table), c,
                                          [](char32_t code, const Entry& entry) { return code < entry.first; });
    return after == std::begin(table) ? nullptr : after - 1;
}

unsigned combiningClass(char32_t c) {
    const ClassRun* run = lastStartingAtOrBefore(classRuns, c);
    return run && c <= run->last ? run->combiningClass : 0;
}

const Decomposition* decompositionOf(char32_t c) {
    const Decomposition* found =
        std::lower_bound(std::begin(decompositions), std::end(decompositions), c,
                         [](const Decomposition& entry, char32_t code) { return entry.composite < code; });
    return found != std::end(decompositions) && found->composite == c ? found : nullptr;
}

void appendDecomposed(std::u32string& out, char32_t c) {
    if (isSyllable(c)) {
        const char32_t index = c - syllableBase;
        out += leadingBase + index / (vowelCount * trailingCount);
        out += vowelBase + index % (vowelCount * trailingCount) / trailingCount;
        if (index % trailingCount != 0) out += trailingBase + index % trailingCount;
        return;
    }
    const Decomposition* decomposition = decompositionOf(c);
    if (!decomposition) {
        out += c;
        return;
    }
    appendDecomposed(out, decomposition->first);
    if (decomposition->second != 0) appendDecomposed(out, decomposition->second);
}

// The character that a starter and the character after it compose into; 0 when there is none.
char32_t composed(char32_t starter, char32_t next) {
    if (starter >= leadingBase && starter < leadingBase + leadingCount && next >= vowelBase &&
        next < vowelBase + vowelCount)
        return syllableBase + ((starter - leadingBase) * vowelCount + (next - vowelBase)) * trailingCount;
    if (isSyllable(starter) && (starter - syllableBase) % trailingCount == 0 && next > trailingBase &&
        next < trailingBase + trailingCount)
        return starter + (next - trailingBase);
    const auto key = [](std::uint16_t index) {
        return std::pair(decompositions[index].first, decompositions[index].second);
    };
    const std::pair wanted(starter, next);
    const std::uint16_t* found = std::lower_bound(
        std::begin(compositions), std::end(compositions), wanted,
        [&](std::uint16_t index, const std::pair<char32_t, char32_t>& pair) { return key(index) < pair; });
    return found != std::end(compositions) && key(*found) == wanted ? decompositions[*found].composite : 0;
}

void compose(std::u32string& text) {
    std::size_t starter = std::u32string::npos;  // where the last starter was written
    unsigned lastClass = 0;                       // class of the last character written after it
    std::size_t written = 0;
    for (const char32_t c : text) {
        const unsigned cls = combiningClass(c);
        // A character between the starter and c blocks c when it is a starter or of c's class or above.
        const bool adjacent = starter != std::u32string::npos && written == starter + 1;
        if (starter != std::u32string::npos && (adjacent || (lastClass != 0 && lastClass < cls))) {
            if (const char32_t composite = composed(text[starter], c)) {
                text[starter] = composite;
                continue;
            }
        }
        if (cls == 0) starter = written;
        lastClass = cls;
        text[written++] = c;
    }
    text.resize(written);
}

std::u32string toUtf32(TextView text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) out += nextCodePoint(text, i);
    return out;
}

Text toUtf16(std::u32string_view text) {
    Text out;
    out.reserve(text.size());
    for (const char32_t c : text) appendCodePoint(out, c);
    return out;
}

}  // namespace

std::u32string toNfd(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (const char32_t c : text) appendDecomposed(out, c);
    // Each run of marks (class above 0) in class order; a starter ends a run.
    for (auto runStart = out.begin(); runStart != out.end();) {
        if (combiningClass(*runStart) == 0) {
            ++runStart;
            continue;
        }
        const auto runEnd = std::find_if(runStart, out.end(), [](char32_t c) { return combiningClass(c) == 0; });
        std::stable_sort(runStart, runEnd, [](char32_t a, char32_t b) { return combiningClass(a) < combiningClass(b); });
        runStart = runEnd;
    }
    return out;
}

std::u32string toNfc(std::u32string_view text) {
    std::u32string out = toNfd(text);
    compose(out);
    return out;
}

char32_t simpleCaseFold(char32_t c) {
    const FoldRun* run = lastStartingAtOrBefore(foldRuns, c);
    if (!run || c > run->last || (c - run->first) % run->step != 0) return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run->delta);
}

std::u32string caseFold(std::u32string_view text) {
    std::u32string out(text);
    for (char32_t& c : out) c = simpleCaseFold(c);
    return out;
}

std::u32string identityKey(std::u32string_view name) { return toNfc(caseFold(toNfd(name))); }

namespace {

bool isAscii(TextView text) {
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x80; });
}

}  // namespace

// ASCII is its own normal form, and folds as A-Z to a-z: most names take this way.
Text identityKey(TextView name) {
    if (!isAscii(name)) return toUtf16(identityKey(toUtf32(name)));
    Text key(name);
    for (char16_t& unit : key)
        if (unit >= u'A' && unit <= u'Z') unit = static_cast<char16_t>(unit - u'A' + u'a');
    return key;
}

Text toNfc(TextView text) { return isAscii(text) ? Text(text) : toUtf16(toNfc(toUtf32(text))); }

}  // namespace stepwise
