#pragma once
// Copies of one student's hand-in for one day, as downloads hold them: a resubmission that goes on
// from the first ("send_1207Ann_Lee-1.txt"), a copy a mail program or a file manager made. Each
// session (a lesson header, whose code line is drawn once a run, and its records) is read once,
// from the copy that holds most of it.
#include <vector>

#include "handin/handin_file.h"

namespace stepwise::review {

// Folds the copies among one student's files: a session found in several files of the same day is
// kept in the one holding most of its records and taken out of the others. Where two copies of a
// session disagree (neither is the start of the other), the longer is kept and the disagreement
// is added to the shorter's problems; a file whose every session is kept elsewhere gets the
// problem "X is an earlier copy of Y". Returns, for each file, whether it was such a copy: it
// has nothing left to count.
std::vector<bool> foldCopies(std::vector<handin::HandinFile>& files);

}  // namespace stepwise::review
