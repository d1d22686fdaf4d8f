#pragma once
#include <ios>

// Logs a stream's state after a failed check, naming the line of the check.
void LogStreamError(int line, const std::ios& stream);
