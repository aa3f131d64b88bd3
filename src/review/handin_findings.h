#pragma once
// What a student's hand-in files hold when not one of them holds an answer: said to the student
// and the instructor in place of figures that would mean nothing.
#include <string>
#include <vector>

#include "review/class_model.h"

namespace stepwise::review {

// One sentence per file of a student whose files hold no record, naming the file:
// "send_1207Dee.txt is empty", "send_1207Dee.txt holds 1 lesson header and no answer". Nothing
// for a student with records.
std::vector<std::string> emptyHandinFindings(const Student& student);

}  // namespace stepwise::review
