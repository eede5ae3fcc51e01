#pragma once

#include <string>

// A windowed program has no console of its own: the options print to the
// console it was started from, or to where its output was redirected.
void printToConsole(const std::string& utf8, bool error);
