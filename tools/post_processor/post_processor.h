// One run of the post processor: read the inputs, apply the steps, write the output
// atomically, and only then delete the inputs when asked.
#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace sgpost {

// Returns the exit status: 0 on success, 1 with a one-line message on errors (inputs kept).
int runPostProcessor(const std::vector<std::string>& words, std::ostream& errors);

}  // namespace sgpost
