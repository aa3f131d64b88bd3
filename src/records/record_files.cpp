#include "records/record_files.h"

namespace stepwise {

FileStatus openRecordFiles(Platform& platform, std::initializer_list<RecordFile> files) {
    for (auto file = files.begin(); file != files.end(); ++file) {
        FileStatus failure = platform.openFile(file->number, file->path, FileMode::Append);
        if (!failure) continue;
        for (auto opened = files.begin(); opened != file; ++opened) platform.closeFile(opened->number);
        return failure;
    }
    return std::nullopt;
}

void reportUnrecorded(Platform& platform, const FileError& error, RecordCommand command) {
    const bool notes = command == RecordCommand::saveAsNotes;
    const Text outcome = notes ? u"Your notes were not saved" : u"Your response was not recorded";
    const Text button = notes ? u"Save as Notes" : u"Enter Response";
    platform.showMessage(outcome + u": the file " + error.path + u" could not be written (" + error.reason +
                         u").\r\n\r\nNothing of this record was written to any of your files, and your text is "
                         u"still in the response box. Make sure the folder exists and can be written, then "
                         u"click \"" + button + u"\" again.");
}

}  // namespace stepwise
