#pragma once
// The output files a record goes to, opened as a group: either every file of the group is open,
// or none is and the caller knows why.
#include <array>
#include <initializer_list>

#include "format/record_pieces.h"
#include "platform/platform.h"

namespace stepwise {

namespace recordFile {
inline constexpr int master = 1;
inline constexpr int send = 2;
inline constexpr int notes = 3;
}  // namespace recordFile

// Every line of a record goes to these files in this order before the next line is started.
inline constexpr std::array<int, 2> responseRecordFiles = {recordFile::master, recordFile::send};
inline constexpr std::array<int, 3> notesRecordFiles = {recordFile::master, recordFile::send, recordFile::notes};

// A record's closing line, with a line end where format/record_pieces.h says it has one.
void writeClosingLine(Platform& platform, RecordKind kind, int fileNumber);

struct RecordFile {
    int number;
    const Text& path;
};

// Opens each file for appending, in the order given (a missing file is created). When one cannot
// be opened, the files opened before it are closed again, with nothing written, and the reason is
// returned.
FileStatus openRecordFiles(Platform& platform, std::initializer_list<RecordFile> files);

enum class RecordCommand { enterResponse, saveAsNotes };

// Tells the student that the record was not made, which file failed and why, and that the text
// is still in the response box for another try.
void reportUnrecorded(Platform& platform, const FileError& error, RecordCommand command);

}  // namespace stepwise
