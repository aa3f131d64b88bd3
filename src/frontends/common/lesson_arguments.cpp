#include "frontends/common/lesson_arguments.h"

#include <string>

#include "system/path_text.h"

namespace stepwise {

namespace {

bool isEndOfOptions(const std::filesystem::path& argument) {
    const auto& name = argument.native();
    return name.size() == 2 && name[0] == '-' && name[1] == '-';
}

bool isOption(const std::filesystem::path& argument) {
    const auto& name = argument.native();
    return name.size() > 1 && name[0] == '-';
}

}  // namespace

LessonArguments lessonArguments(const std::vector<std::filesystem::path>& arguments) {
    std::vector<std::filesystem::path> files;
    bool optionsEnded = false;
    for (const std::filesystem::path& argument : arguments) {
        if (!optionsEnded && isEndOfOptions(argument))
            optionsEnded = true;
        else if (!optionsEnded && isOption(argument))
            return {std::nullopt, u"unknown option " + pathText(argument)};
        else
            files.push_back(argument);
    }
    if (files.size() > 1)
        return {std::nullopt, u"one assignment file at a time, and " + fromUtf8(std::to_string(files.size())) +
                                  u" were given"};
    if (files.empty()) return {};
    return {files.front(), {}};
}

}  // namespace stepwise
