// Writing a file so that a failed write never costs the user the file that was there.
#pragma once

#include <cstdio>
#include <functional>
#include <string>

// Writes `path` through `writeContents`, which gets a buffered stream (text mode) positioned
// at the start of an empty file and returns false if it could not write everything. A false
// return, any stream error or an exception counts as failure; then `path` holds exactly what
// it held before (or, if it did not exist, does not exist) and false is returned.
//
// An existing file is rewritten in place, so it stays the same file: its hard links, owner,
// permissions and other attributes are kept. A file the user may not write is refused, and so
// is one larger than the process may write (its contents could not be put back). The old
// contents are first copied aside, into a temporary file that is created exclusively under an
// unpredictable name in the same folder, never through a link and readable by the owner only;
// where the folder takes no new file (the user may not write it, or it is full) the copy is
// kept in memory instead. The copy goes once the save has succeeded or the old contents are
// back; only if putting them back fails is the temporary file kept, as their last copy.
//
// A new file is created exclusively (never over a file that appeared in the meantime; a link
// to nothing leads to the name it holds, as opening the name would) and removed again if the
// write fails. A link to a file is followed to that file. A name that is no plain file (a
// device such as /dev/null) is written into as it is.
bool writeFileSafely(const std::string& path, const std::function<bool(std::FILE*)>& writeContents);
