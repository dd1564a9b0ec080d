// Temporary files beside a target, named <target><kind><process id> (".part" for a file being
// written, ".rows" for rows kept aside): made afresh, never through a link planted under that
// name, and cleared away when the process that made them is gone (a tool killed mid-way).
#pragma once
#include <cstdio>
#include <string>

namespace sgsys {

// Removes the temporaries of that kind beside the target whose processes no longer run.
void clearStaleTemporaries(const std::string& target, const std::string& kind);
// Clears stale ones, then creates this process's temporary for reading and writing; its name in
// `name`. nullptr when it cannot be made.
std::FILE* createTemporary(const std::string& target, const std::string& kind, std::string& name);
// The same for rows kept aside while a file is made: the file has no name once made, so that
// nothing of it outlives the process, even one that is killed.
std::FILE* createUnnamedTemporary(const std::string& target, const std::string& kind, std::string& name);

}  // namespace sgsys
