// Which programs a job may start: only the two render tools, found in the working folder.
#pragma once
#include <optional>
#include <string>

namespace sgrunner {

// True when the command word names one of the render tools (without regard to case, with or
// without .exe, and without any folder in front of it).
bool isRenderTool(const std::string& word);

// The file in the folder that holds the named render tool: a name equal to the word's tool
// name with .exe, or without it, compared without regard to case; the .exe name wins.
// nullopt when the folder holds no such file.
std::optional<std::string> findRenderTool(const std::string& word, const std::string& folder);

}  // namespace sgrunner
