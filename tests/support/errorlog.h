// Collects what the command-line error path writes, in-process: the error file is
// pointed at a temporary file and the text added since the last call is returned.
#pragma once

#include <string>

// Switches command-line mode on (the first error switches it off) and returns the
// messages written since the previous call, without their time stamp lines.
std::string TakeErrors();
