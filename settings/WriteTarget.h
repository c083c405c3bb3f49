#pragma once

#include <string>

// Which file a write to a path may replace. A symbolic link is followed only when the
// link and what it leads to belong to the user running the game, so that a link planted
// in the game's folder cannot make the game (run by root, say) overwrite a file of
// someone else.
namespace WriteTarget {

// The path itself when it is not a link (an existing file or a new one); otherwise the
// end of its chain of links, when every link of the chain belongs to the user and the
// end is a regular file of the user, or is missing in a folder of the user. Throws
// IniWriteError for the path in every other case.
std::string resolve(const std::string& path);

// The folder part of a path: "." for a bare name, "/" for a name at the root.
std::string folderOf(const std::string& path);

} // namespace WriteTarget
