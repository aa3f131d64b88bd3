#include "review/answer_key.h"

#include <cstdint>

#include "format/text.h"
#include "format/unicode_normal.h"

namespace stepwise::review {

namespace {

constexpr std::uint64_t fnvOffsetBasis = 14695981039346656037ull;
constexpr std::uint64_t fnvPrime = 1099511628211ull;

// The text whose bytes are keyed: NFC, line breaks as LF.
std::string keyedText(std::string_view utf8Answer) {
    const std::string composed = toUtf8(toNfc(fromUtf8(utf8Answer)));
    std::string out;
    out.reserve(composed.size());
    for (std::size_t i = 0; i < composed.size(); ++i) {
        if (composed[i] != '\r') {
            out += composed[i];
            continue;
        }
        out += '\n';
        if (i + 1 < composed.size() && composed[i + 1] == '\n') ++i;
    }
    return out;
}

std::uint64_t fnv1a64(std::string_view bytes) {
    std::uint64_t hash = fnvOffsetBasis;
    for (char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= fnvPrime;
    }
    return hash;
}

}  // namespace

std::string answerKey(std::string_view utf8Answer) {
    std::uint64_t value = fnv1a64(keyedText(utf8Answer));
    std::string key;
    for (std::size_t i = 0; i < answerKeyLength; ++i) {
        key += static_cast<char>('A' + value % 26);
        value /= 26;
    }
    return key;
}

bool isAnswerKey(std::string_view cell) {
    while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
    while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
    if (cell.size() != answerKeyLength) return false;
    for (char c : cell)
        if (c < 'A' || c > 'Z') return false;
    return true;
}

}  // namespace stepwise::review
