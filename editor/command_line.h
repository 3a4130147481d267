// The editor's command line:  PROGRAM [--help | --version] [--] [DRAWING...]
#pragma once

#include <string>
#include <vector>

inline constexpr int kRunEditor = -1;

// Fills `drawings` and returns kRunEditor when the editor should start with them. Otherwise
// returns the status to end with at once: 0 after printing the help or the version, 2 after
// saying on standard error what is wrong (an unknown option, a drawing that cannot be read).
int readCommandLine(int argc, char** argv, std::vector<std::string>& drawings);
