// What the render tools need of the operating system beyond standard C++: chosen by the build,
// tool_system_posix.cpp or tool_system_windows.cpp.
#pragma once
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace sgsys {

unsigned long processId();
// Whether a process of that number is running.
bool processRunning(unsigned long pid);
// Creates a new file for reading and writing; nullptr when the name is taken (by a file, a
// link or anything else) or it cannot be made.
std::FILE* createExclusive(const std::string& name);
// The same, for a file that has no name once made (its name is gone at once on Linux, and goes
// when it is closed on Windows): it lasts while it is open, and a killed process leaves nothing.
std::FILE* createUnnamed(const std::string& name);
// Opens a file for reading only when it is a plain file, without waiting on anything else (a
// pipe, a device) that stands under its name; its size in `size`. nullptr when it is not one.
std::FILE* openRegularFile(const std::string& name, uint64_t& size);
// What tells this build of the running program from another: its file's size and time of
// writing ("" when they cannot be told).
std::string programStamp();
// The machine's memory in bytes (8 GiB when it cannot be told).
long long physicalMemory();
// The processors this process may run on.
int usableCores();
// Reads count bytes at a byte offset without moving the stream's position.
bool readAt(std::FILE* f, void* out, size_t count, uint64_t offset);
// Has large blocks of memory (decoded chunks, rows) given back to the system when freed, and
// not kept per thread, so that the resident memory follows what is in use.
void returnFreedMemory();
// Lets the process hold as many files open at once as the system allows.
void raiseOpenFileLimit();
// Writes the file's buffered bytes through to the disk.
bool syncFile(std::FILE* f);
// Renames `from` over `to`, replacing an existing file in one step.
bool replaceFile(const std::string& from, const std::string& to);
// The user's cache folder for this program: $XDG_CACHE_HOME/strandvale-g or
// ~/.cache/strandvale-g on Linux, %LOCALAPPDATA%\Strandvale G Cache on Windows; empty when
// the environment names none.
std::string userCacheFolder();
// File names as the tools take them (bytes in the system's narrow code page: the ANSI code page
// on Windows) to paths and back. Every name a tool lists and then opens goes through these.
std::filesystem::path pathOf(const std::string& name);
std::string nameOf(const std::filesystem::path& path);

}  // namespace sgsys
