// The commands of a job's batch file that run the renderer or the post processor, with their
// arguments as the tool receives them.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace sg::monitor {

enum class Tool { Renderer, PostProcessor };

void eachToolCommand(const std::string& batchText,
                     const std::function<void(Tool tool, const std::vector<std::string>& args)>& f);

}  // namespace sg::monitor
