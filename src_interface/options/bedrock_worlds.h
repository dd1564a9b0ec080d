// Bedrock worlds in the world list: a world folder holding db/ is one, listed by the name in
// its levelname.txt, or by that name and its folder's in brackets when another world of the
// list has the name already. Besides the saves folder, the game's own folders of Bedrock
// worlds are listed where they exist: each user's under APPDATA and the older Store package's
// under LOCALAPPDATA.
#pragma once
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/environment.h"

namespace sg::options {

// Whether the folder is a Bedrock world (it holds db/CURRENT).
bool isBedrockWorldFolder(const std::string& folder);

// The world's own name: the first line of levelname.txt, else the folder's name.
std::string bedrockLevelName(const std::string& folder);

// The name the world is listed by, given the names listed already (which it joins).
std::string listBedrockWorld(const std::string& folder, std::set<std::string>& listed);

// The game's folders of Bedrock worlds that exist on this machine.
std::vector<std::string> bedrockWorldRoots(const platform::Environment& environment);

// The folder of the Bedrock world listed by `name` in these folders of worlds; nullopt when
// none is.
std::optional<std::string> findBedrockWorld(const std::vector<std::string>& roots, const std::string& name);

}  // namespace sg::options
