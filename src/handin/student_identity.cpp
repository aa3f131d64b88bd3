#include "handin/student_identity.h"

#include "format/cp1252.h"
#include "format/unicode_normal.h"
#include "format/utf8.h"

namespace stepwise::handin {

Text decodeNameBytes(std::string_view bytes) {
    const Text text = firstUtf8Error(bytes) ? decodeCp1252(bytes) : decodeUtf8(bytes).text;
    return studentSpelling(text);
}

Text studentSpelling(TextView name) { return toNfc(name); }

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
