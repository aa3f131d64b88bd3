#include "viewers/viewer_file.h"

namespace stepwise {

Text unreadableFileMessage(Platform& platform, const FileError& error) {
    return u"The file " + platform.displayPath(error.path) + u" cannot be shown: " + error.reason + u".";
}

Text noNotesYetMessage() {
    return u"No notes have been saved yet.  The notes file is created by the first Save as Notes.";
}

bool openForViewing(Platform& platform, int number, const Text& path, const std::optional<Text>& whenMissing) {
    const FileStatus failure = platform.openFile(number, path, FileMode::Read);
    if (!failure) return true;
    platform.showMessage(failure->notFound && whenMissing ? *whenMissing : unreadableFileMessage(platform, *failure));
    return false;
}

}  // namespace stepwise
