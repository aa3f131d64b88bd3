#include "records/record_files.h"

#include "records/line_writer.h"

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

void writeClosingLine(Platform& platform, RecordKind kind, int fileNumber) {
    const OutputFile file = fileNumber == recordFile::master ? OutputFile::master
                            : fileNumber == recordFile::send ? OutputFile::send
                                                             : OutputFile::notes;
    writeLine(platform, fileNumber, {closingLine}, closingLineEnds(kind, file) ? LineEnd::CrLf : LineEnd::None);
}

namespace {

// The files that kept the record although another file failed: clicking again would record it
// there twice.
Text keptRecordAdvice(Platform& platform, const FileError& error, const Text& button) {
    Text files;
    for (const Text& path : error.keptRecord) files += (files.empty() ? u"" : u", ") + platform.displayPath(path);
    return u"The record could not be taken back out of " + files + u", which keeps it; your other files do not "
           u"have it. Your text is still in the response box, but do not click \"" + button +
           u"\" again for it, or the record will be there twice.";
}

}  // namespace

void reportUnrecorded(Platform& platform, const FileError& error, RecordCommand command) {
    const bool notes = command == RecordCommand::saveAsNotes;
    const Text outcome = notes ? u"Your notes were not saved" : u"Your response was not recorded";
    const Text button = notes ? u"Save as Notes" : u"Enter Response";
    if (!error.keptRecord.empty())
        return platform.showMessage(outcome + u" in all your files: the file " + platform.displayPath(error.path) +
                                    u" could not be written (" + error.reason + u").\r\n\r\n" +
                                    keptRecordAdvice(platform, error, button));
    platform.showMessage(outcome + u": the file " + platform.displayPath(error.path) + u" could not be written (" + error.reason +
                         u").\r\n\r\nNothing of this record was written to any of your files, and your text is "
                         u"still in the response box. Make sure the folder exists and can be written, then "
                         u"click \"" + button + u"\" again.");
}

}  // namespace stepwise
