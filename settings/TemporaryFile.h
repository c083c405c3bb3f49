#pragma once

#include <string>
#include <sys/types.h>

// The names under which a file is written before it replaces the original:
// ".<name>.<pid>-<attempt>.tmp" beside it. A write killed half-way leaves one behind;
// the next write in that folder clears those whose process has ended.
namespace TemporaryFile {

// The temporary name for the file `fileName` (no folder) in `folder`.
std::string path(const std::string& folder, const std::string& fileName, pid_t pid, int attempt);

// The process that made a temporary name of `fileName`, or 0 for any other name.
pid_t ownerOf(const std::string& entry, const std::string& fileName);

// Removes the temporary files of `fileName` in `folder` that belong to the user and whose
// process no longer runs. Whatever cannot be removed stays; this never fails.
void removeLeftovers(const std::string& folder, const std::string& fileName);

} // namespace TemporaryFile
