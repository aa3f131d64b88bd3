#pragma once
// Who a hand-in belongs to, one rule wherever a student's name is met (file names, marks rows,
// feedback pages): the name in NFC, two names one student when they agree after simple case
// folding (format/unicode_normal.h identityKey). Different letters stay different students
// (Zoë and Zoé), and among the spellings of one student the one met most often is shown.
#include <map>
#include <string_view>

#include "format/text.h"

namespace stepwise::handin {

// A name's bytes as a Linux file system holds them: UTF-8 when they are well-formed UTF-8, else
// Windows-1252 (a file copied from an older system), so that no byte is lost or merged with
// another name. Put into NFC.
Text decodeNameBytes(std::string_view bytes);

// The name as shown (NFC) and the key two spellings of one student share.
Text studentSpelling(TextView name);
Text studentKey(TextView name);

// Counts the spellings met for each student and names each one by the most frequent; between
// spellings met equally often, the smallest in code order, so the choice never depends on the
// order the files were found in.
class StudentSpellings {
public:
    void add(TextView name, int times = 1);
    // The spelling shown for the student `name` belongs to; `name` itself when never added.
    Text shown(TextView name) const;

private:
    std::map<Text, std::map<Text, int>> byKey_;
};

}  // namespace stepwise::handin
