#pragma once
// Reads an output file back as a sequence of whole units, for tests that check what a crash left
// behind: lesson headers, and the response and notes records that a recording child process
// writes, each response text marked with its record's id.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/main_form.h"
#include "support/fake_platform.h"

namespace stepwise::testing {

enum class OutputFile { master, send, notes };

// The response text of the record with this id: "[id]", a long filler, "[id]".
std::string markedText(const std::string& id);

// Makes one record of the started lesson: a response to question 3, or notes.
enum class RecordKind { response, notes };
void makeRecord(FakePlatform& platform, MainForm& form, const std::string& id, RecordKind kind);

// The bytes each file receives for each kind of record, before and after the response text,
// taken from records the program really wrote.
class RecordShapes {
public:
    RecordShapes();
    const std::array<std::string, 2>& around(RecordKind kind, OutputFile file) const {
        return shapes_[static_cast<int>(kind)][static_cast<int>(file)];
    }

private:
    std::array<std::array<std::array<std::string, 2>, 3>, 2> shapes_;
};

struct FileUnits {
    std::vector<std::string> units;  // "H" for a header, "R<id>" for a response, "N<id>" for notes
    std::string problem;             // what is not a whole unit, and where; "" when all are
};

FileUnits readUnits(std::string_view bytes, OutputFile file, const RecordShapes& shapes);

}  // namespace stepwise::testing
