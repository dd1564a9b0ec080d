#include "monitor/job_result.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "batch/job_files.h"
#include "monitor/tool_commands.h"
#include "platform/files.h"
#include "zoom_map/map_facts.h"

namespace sg::monitor {

namespace fs = std::filesystem;

std::vector<JobOutput> finalImages(const std::string& batchText) {
  std::vector<JobOutput> outputs;
  eachToolCommand(batchText, [&](Tool tool, const std::vector<std::string>& args) {
    const bool map = std::find(args.begin(), args.end(), "zoomablemap") != args.end();
    for (size_t i = 0; i + 1 < args.size(); ++i) {
      if (args[i] != (tool == Tool::Renderer ? "outfile" : "output")) continue;
      const std::string& image = args[i + 1];
      // A job's layer is an input of the post processor, never a picture of the player's.
      if (sgbatch::isJobLayer(image)) continue;
      auto same = std::find_if(outputs.begin(), outputs.end(), [&](const JobOutput& o) { return o.image == image; });
      if (same != outputs.end()) outputs.erase(same);
      outputs.push_back({image, map ? sgmap::mapFolderOf(image) : std::string(), false, false});
    }
  });
  return outputs;
}

namespace {

// Written since the job's batch file was (with two seconds for file systems that keep coarse
// times): an image of an earlier job under the same name does not count.
bool writtenSince(const fs::path& p, fs::file_time_type since) {
  std::error_code ec;
  const auto t = fs::last_write_time(p, ec);
  return !ec && t + std::chrono::seconds(2) >= since;
}

}  // namespace

std::vector<JobOutput> jobOutputs(const std::string& number) {
  const std::string batch = sgbatch::jobFile(number, ".bat");
  std::vector<JobOutput> outputs = finalImages(files::readAll(batch).value_or(""));
  std::error_code ec;
  const auto began = fs::last_write_time(batch, ec);
  if (ec) return outputs;
  for (JobOutput& o : outputs) {
    o.made = fs::is_regular_file(o.image, ec) && writtenSince(o.image, began);
    o.mapMade = !o.map.empty() && fs::is_regular_file(fs::path(o.map) / "index.html", ec) &&
                writtenSince(fs::path(o.map) / "tiles.js", began);
  }
  return outputs;
}

std::string outputEntry(const JobOutput& output) {
  std::string entry = files::lastComponent(output.image);
  if (!output.made) return entry + " (not made)";
  if (output.mapMade) entry += " and map";
  return entry;
}

int outputToShow(const std::vector<JobOutput>& outputs) {
  for (size_t i = outputs.size(); i-- > 0;)
    if (outputs[i].made) return static_cast<int>(i);
  return -1;
}

std::string madeCaption(const std::vector<JobOutput>& outputs) {
  const auto made = std::count_if(outputs.begin(), outputs.end(), [](const JobOutput& o) { return o.made; });
  if (made == 0) return "No image was made";
  const std::string images = std::to_string(made) + (made == 1 ? " image" : " images");
  if (static_cast<size_t>(made) == outputs.size()) return "Made " + images;
  return "Made " + std::to_string(made) + " of " + std::to_string(outputs.size()) + (outputs.size() == 1 ? " image" : " images");
}

std::string lastJobLine(const std::vector<JobOutput>& outputs, const std::string& how, const std::string& time) {
  const int shown = outputToShow(outputs);
  // How it ended comes first: a long image name is what gives way in a narrow window.
  const std::string start = "Last job " + how + " at " + time;
  if (shown < 0) return start + ", no image";
  return start + ": " + files::lastComponent(outputs[static_cast<size_t>(shown)].image);
}

}  // namespace sg::monitor
