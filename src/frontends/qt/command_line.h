#pragma once
// The student program's command line: stepwise [FILE]. --version and --help only print and exit,
// and they are answered before any window or display is needed. FILE is read once Qt has taken
// its own options (-platform, -style, -reverse...) out of the arguments.
#include <QString>
#include <QStringList>

#include <optional>

#include "format/text.h"

namespace stepwise::qt {

// The text to print when the arguments (the program's name first) ask for the version or for
// help, or nothing when the lesson should start. Other arguments are left to Qt and to
// lessonArguments.
std::optional<QString> informationRequested(const QStringList& arguments);

// What to print on standard error for arguments the lesson cannot start with (lessonArguments,
// frontends/common/lesson_arguments.h), before the program ends with status 2.
QString usageErrorText(const Text& problem);

}  // namespace stepwise::qt
