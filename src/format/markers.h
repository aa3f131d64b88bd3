#pragma once
#include <string_view>

namespace stepwise {

// Script line markers; each begins with the grave accent.
inline constexpr std::u16string_view questionMarker = u"`q";
inline constexpr std::u16string_view answerMarker = u"`a";
inline constexpr std::u16string_view routineMarker = u"`routine";

}  // namespace stepwise
