// Opening a drawing for reading: only a regular file, without waiting on a pipe or a device.
#pragma once

#include <cstdio>
#include <string>

// The file `path` names (links followed) open for reading in text mode, or null if it cannot
// be opened or is no regular file (a folder, a pipe, a socket, a device). Never blocks.
std::FILE* openRegularFile(const std::string& path);
