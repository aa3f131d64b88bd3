#include "handin/student_identity.h"

#include "format/cp1252.h"
#include "format/unicode_normal.h"
#include "format/utf8.h"

namespace stepwise::handin {

namespace {

std::u32string codePoints(TextView text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            out += static_cast<char32_t>(0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

Text utf16(std::u32string_view text) {
    Text out;
    out.reserve(text.size());
    for (char32_t c : text) {
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

}  // namespace

Text decodeNameBytes(std::string_view bytes) {
    const Text text = firstUtf8Error(bytes) ? decodeCp1252(bytes) : decodeUtf8(bytes).text;
    return studentSpelling(text);
}

Text studentSpelling(TextView name) { return utf16(toNfc(codePoints(name))); }

Text studentKey(TextView name) { return identityKey(name); }

void StudentSpellings::add(TextView name, int times) { byKey_[studentKey(name)][studentSpelling(name)] += times; }

Text StudentSpellings::shown(TextView name) const {
    const auto found = byKey_.find(studentKey(name));
    if (found == byKey_.end()) return Text(name);
    const std::pair<const Text, int>* best = nullptr;
    for (const auto& spelling : found->second)  // in code order, so the first of equals wins
        if (!best || spelling.second > best->second) best = &spelling;
    return best->first;
}

}  // namespace stepwise::handin
