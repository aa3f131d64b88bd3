#pragma once
// The two rating prompts of a response record: confidence after a question block, the quality of
// the self-critique after an answer block. Ratings are recorded exactly as typed.
#include "lesson/lesson_state.h"
#include "platform/platform.h"

namespace stepwise {

inline constexpr char16_t confidencePrompt[] =
    u"Assess your level of confidence in your answer on a scale from 0 to 3, where 0 means you have no "
    u"confidence in your answer, 1 means you have some confidence, 2 means you are pretty confident and 3 "
    u"means you are certain of your answer:";

inline constexpr char16_t selfCritiquePrompt[] =
    u"Rate the quality of your self-critique on a 0-3 scale, where 0 indicates that self-critique was "
    u"necessary on this question but was not given, 1 indicates that self-critique was necessary but the "
    u"given self-critique was not adequate, 2 indicates that self-critique was necessary and was mostly "
    u"adequate, and 3 indicates that either self-critique was not necessary or that after reading the "
    u"solution everything was completely obvious so you skipped the self-critique.";

// Asks the confidence rating and writes its line to the master file, then the SEND file (both open).
void askConfidenceRating(Platform& platform);

// Asks the self-critique rating, keeps it in the state and writes its line to both files.
void rateSelfCritique(Platform& platform, LessonState& state);

}  // namespace stepwise
