// Writing a file so that the name holds, at every instant, the whole old contents or the whole
// new ones: a crash, a kill or a full disk half way never leaves a file cut short. The library's
// one durable save, for every file a program writes whole (the editor's drawings and recovery
// copies among them). C++ only.
#pragma once

#include <zr590/zr590.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#ifndef __cplusplus
#error "<zr590/safe_file.h> is C++"
#endif

namespace zr590 {

// Writes `path` through `writeContents`, which gets a buffered stream (text mode) positioned
// at the start of an empty file and returns false if it could not write everything. A false
// return, any stream error, an exception or the file size limit counts as failure; then `path`
// holds exactly what it held before (or, if it did not exist, does not exist) and false is
// returned. Only a regular file (or a link to one, or a name not yet taken) is written: a
// folder, a device, a pipe or a socket is refused without waiting on it.
//
// The new contents go into a new file beside the old one (created exclusively under an
// unpredictable hidden name, readable by the owner only until complete), which is synced, given
// the old file's owner and mode, and renamed over the name; the folder is synced last. A new
// name is taken only if no file has appeared there meanwhile.
//
// Where replacing would break something (the file has other hard links, its owner or group
// cannot be given to a new file, the folder takes no new file) the file is rewritten in place
// instead, and only once its old contents are safe, synced, in a copy beside it named
// NAME.zr590-backup-XXXXXX (in memory where the folder takes no file). The copy goes once the
// save is done; if it cannot go (the old contents could not be put back after a failure, or the
// program died) it stays, and `keptCopy`, if given, gets its name.
ZR590_API bool writeFileSafely(const std::string& path,
                               const std::function<bool(std::FILE*)>& writeContents,
                               std::string* keptCopy = nullptr);

// The copies of `path`'s old contents that earlier in-place saves left beside it (see above),
// sorted by name.
ZR590_API std::vector<std::string> leftoverCopiesOf(const std::string& path);

}  // namespace zr590
