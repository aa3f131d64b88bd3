#pragma once
// Opening an output file for one of the viewers, and telling the student when it cannot be shown.
#include <optional>

#include "platform/platform.h"
#include "format/text.h"

namespace stepwise {

// File numbers the viewers read through.
inline constexpr int notesViewerFile = 3;
inline constexpr int sendViewerFile = 5;

// The message for a file that cannot be shown: its path and the system's reason.
Text unreadableFileMessage(Platform& platform, const FileError& error);

// The message for display notes before any notes record exists.
Text noNotesYetMessage();

// Opens the file at `path` for reading as `number`. When that fails the student is told why
// (`whenMissing`, if given, for a file that does not exist) and false is returned.
bool openForViewing(Platform& platform, int number, const Text& path, const std::optional<Text>& whenMissing = {});

}  // namespace stepwise
