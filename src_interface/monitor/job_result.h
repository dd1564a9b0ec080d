// What a job made: its final images (the post processor's outputs, and the renderer's own where
// no post processor follows it), whether each was made by this job, and the zoomable map asked
// for beside it; and the texts the windows show of it.
#pragma once
#include <string>
#include <vector>

namespace sg::monitor {

struct JobOutput {
  std::string image;  // as the batch file names it
  std::string map;    // the map's folder when the job asked for one, else empty
  bool made = false;  // the image is there, written since the job began
  bool mapMade = false;
};

// The final images that the batch text names, in the order the job writes them, once each.
std::vector<JobOutput> finalImages(const std::string& batchText);

// The job `number`'s final images, with what of them is on disk and newer than its batch file.
std::vector<JobOutput> jobOutputs(const std::string& number);

// The log window's list entry of an output: its file name, then " (not made)" for one the job
// did not make, or " and map" where its map was made too.
std::string outputEntry(const JobOutput& output);

// The index of the output to show: the last one made; -1 when none was.
int outputToShow(const std::vector<JobOutput>& outputs);

// The line above the list: "Made 2 of 3 images", "Made 1 image", "No image was made".
std::string madeCaption(const std::vector<JobOutput>& outputs);

// The main window's line of the last job: "Last job completed at 12:00:00: NAME.png", with
// "stopped" or "failed" in place of "completed", and ", no image" where none was made.
std::string lastJobLine(const std::vector<JobOutput>& outputs, const std::string& how, const std::string& time);

}  // namespace sg::monitor
