#pragma once
// The student program's command line. The lesson reads nothing from it; --version and --help only
// print and exit, and they are answered before any window or display is needed.
#include <QString>
#include <QStringList>

#include <optional>

namespace stepwise::qt {

// The text to print when the arguments (the program's name first) ask for the version or for
// help, or nothing when the lesson should start. Any other argument is left to Qt, which takes
// its own options such as -platform or -reverse.
std::optional<QString> informationRequested(const QStringList& arguments);

}  // namespace stepwise::qt
