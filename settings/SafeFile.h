#pragma once

#include <cstddef>
#include <string>

// Whole-file reads and crash-safe replacement for the small files the game keeps.
namespace SafeFile {

// Larger files are not INI files the game wrote; reading stops there so a huge or
// endless file cannot exhaust memory, and writing refuses to rewrite one.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

enum class ReadResult { Read, Missing, Failed };

// Reads a regular file (at most kMaxFileBytes). A FIFO, device or folder is Failed
// without blocking; Missing means there is no such file.
ReadResult read(const std::string& path, std::string& bytes, bool* truncated = nullptr);

// Writes the bytes beside the file under a temporary name, flushes them to disk and
// renames them over it, so the file on disk is always the old one or the new one,
// whole. A file without any write permission bit is refused, even for root; a replaced
// file keeps its permission bits; a link is written through only as WriteTarget allows.
// Temporary files that killed writes left beside the file are removed first. Throws
// IniWriteError and leaves no temporary file.
void replace(const std::string& path, const std::string& bytes);

} // namespace SafeFile
