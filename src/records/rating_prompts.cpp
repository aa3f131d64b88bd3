#include "records/rating_prompts.h"

#include "app/main_form.h"
#include "records/line_writer.h"
#include "records/record_files.h"
#include "records/record_pieces.h"

namespace stepwise {

void askConfidenceRating(Platform& platform) {
    const Text rating = platform.inputPrompt(confidencePrompt);
    for (int file : responseRecordFiles) writeLine(platform, file, {confidenceLabel, rating});
}

void MainForm::rateSelfCritique() {
    state_.selfCritiqueRating = platform_.inputPrompt(selfCritiquePrompt);
    for (int file : responseRecordFiles) writeLine(platform_, file, {selfCritiqueLabel, state_.selfCritiqueRating});
}

}  // namespace stepwise
