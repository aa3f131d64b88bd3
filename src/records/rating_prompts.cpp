#include "records/rating_prompts.h"

#include "records/line_writer.h"
#include "records/record_files.h"
#include "format/record_pieces.h"

namespace stepwise {

void askConfidenceRating(Platform& platform) {
    const Text rating = platform.inputPrompt(confidencePrompt);
    for (int file : responseRecordFiles) writeLine(platform, file, {confidenceLabel, rating});
}

void rateSelfCritique(Platform& platform, LessonState& state) {
    state.selfCritiqueRating = platform.inputPrompt(selfCritiquePrompt);
    for (int file : responseRecordFiles) writeLine(platform, file, {selfCritiqueLabel, state.selfCritiqueRating});
}

}  // namespace stepwise
