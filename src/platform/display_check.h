#pragma once

// Why the program cannot show its window, or nullptr when it can. Checked
// before the toolkit starts, which would abort instead.
const char* displayProblem();
