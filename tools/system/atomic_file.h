// Files that appear whole or not at all: written into a temporary beside the target (see
// temporary_files.h) and renamed over it in one step once complete.
#pragma once
#include <cstdio>
#include <string>

namespace sgsys {

// Puts the finished, closed temporary in place of the target. On failure the temporary is
// removed and `error` names the target.
bool placeTemporary(const std::string& temp, const std::string& target, std::string& error);
// Writes the temporary's buffered bytes through to the disk, closes it and puts it in place of
// the target. On failure the temporary is removed and `error` says why.
bool commitTemporary(std::FILE* f, const std::string& temp, const std::string& target, std::string& error);
// Makes the folder that the file is to be written into, where it is missing; false with a
// reason that names the folder when it cannot be made.
bool makeFolderFor(const std::string& file, std::string& error);
// Writes a small file whole, replacing what was there, or leaves the old one untouched. It is
// not synced to the disk.
bool writeFileAtomically(const std::string& file, const std::string& content);
bool writeFileAtomically(const std::string& file, const void* data, size_t size);

}  // namespace sgsys
