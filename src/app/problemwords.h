#pragma once
// Every problem the core returns, worded: the caption, text and icon of its
// box, from its numbered reason and particulars. The one place a reason
// becomes words.
#include <string>

#include "base/messageboxes.h"
#include "base/problem.h"
#include "base/result.h"

namespace korvant {

Message wordProblem(const Problem& problem);
void showProblems(MessageBoxes& boxes, const Problems& problems);

// Why a file was not read or written, in the words of a command line tool:
// "cannot open (No such file or directory)", "is not a file", "larger than
// 16 MB", "read error (...)".
std::string fileReadWords(Reason why, const std::string& detail, long long limit);
// "cannot write PATH: No space left on device".
std::string notWrittenWords(const Problem& problem);

}  // namespace korvant
