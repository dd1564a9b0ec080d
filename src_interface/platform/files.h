// Files as the system sees them: the classic existence test, folder listings in name order,
// and text files read and written line by line (lines written end in CR LF).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace sg::files {

// The platform's path separator: '\\' on Windows, '/' elsewhere.
char separator();

// True when a lookup of the name finds a normal file (not hidden, not system, not a folder),
// and true when the lookup itself fails. On a case-sensitive file system the last component
// is matched without regard to case.
bool FileExists(const std::string& name);

// True when the path names a folder.
bool FolderExists(const std::string& path);

// Full paths of the subfolders of a folder, in name order; nullopt when it cannot be listed.
std::optional<std::vector<std::string>> subfolders(const std::string& folder);
// Names (not paths) of the files of a folder, in name order; nullopt when it cannot be listed.
std::optional<std::vector<std::string>> filesOf(const std::string& folder);

// The most a settings, locale, mod list or offset file may hold: real ones hold a few kilobytes,
// and a larger one is refused as unreadable rather than read into memory whole.
inline constexpr size_t kMaxTextFileBytes = size_t(4) << 20;
// The most of a job log that is read.
inline constexpr size_t kMaxLogBytes = size_t(64) << 20;

// All lines of a text file; CR LF, LF or a lone CR ends a line; a final line without an end
// counts. nullopt when the file cannot be opened or is larger than maxBytes.
std::optional<std::vector<std::string>> readLines(const std::string& name, size_t maxBytes = kMaxTextFileBytes);
// Only the first line (reads no further than needed, and at most maxBytes of it); nullopt when
// unopenable or empty.
std::optional<std::string> readFirstLine(const std::string& name, size_t maxBytes = SIZE_MAX);
// Whole file content, bytes as they stand; nullopt when unopenable or larger than maxBytes.
std::optional<std::string> readAll(const std::string& name, size_t maxBytes = kMaxLogBytes);

// Writes the lines, each ending in CR LF, replacing the file. False on any failure.
bool writeLines(const std::string& name, const std::vector<std::string>& lines);
// Appends one line ending in CR LF, creating the file when missing. False on failure.
bool appendLine(const std::string& name, const std::string& line);
// Writes the content to a temporary file beside name and renames it over name, so that name
// always holds either the old or the new content. False on failure (name is then untouched).
bool replaceAtomically(const std::string& name, const std::string& content);

bool removeFile(const std::string& name);

// Last component of a path; '\\' and '/' both separate.
std::string lastComponent(const std::string& path);

}  // namespace sg::files
