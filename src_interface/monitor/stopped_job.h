// What a stopped job leaves is cleared as a finished job would leave it: the tools it ran were
// ended mid-way, so their temporary files (NAME.part<process> beside each image they were
// writing), the job's layer images with the facts beside them, its job log and its progress
// file go. Finished images and map folders stay: each was put in place whole.
#pragma once
#include <string>
#include <vector>

namespace sg::monitor {

// The images the job's batch file names: every output of the renderer and the post processor
// and every input of the post processor, as written in the commands.
std::vector<std::string> jobImages(const std::string& batchText);

// Clears what the stopped job `number` left (its batch file stays, as a finished job's does).
void clearStoppedJob(const std::string& number);

}  // namespace sg::monitor
