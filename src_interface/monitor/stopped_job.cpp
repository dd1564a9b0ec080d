#include "monitor/stopped_job.h"

#include "batch/job_files.h"
#include "monitor/tool_commands.h"
#include "platform/files.h"

namespace sg::monitor {

std::vector<std::string> jobImages(const std::string& batchText) {
  std::vector<std::string> images;
  eachToolCommand(batchText, [&](Tool tool, const std::vector<std::string>& args) {
    const bool post = tool == Tool::PostProcessor;
    for (size_t i = 0; i + 1 < args.size(); ++i) {
      if (args[i] == (post ? "output" : "outfile") || (post && args[i] == "input")) {
        images.push_back(args[i + 1]);
      } else if (post && args[i] == "merge") {
        size_t count = 0;
        try {
          count = static_cast<size_t>(std::stoul(args[i + 1]));
        } catch (...) {
        }
        for (size_t k = 0; k < count && i + 2 + k < args.size(); ++k) images.push_back(args[i + 2 + k]);
      }
    }
  });
  return images;
}

namespace {

// The folder part of a name as the batch file writes it, with its separator ("" for the
// working folder).
std::string folderOf(const std::string& image) {
  const size_t cut = image.find_last_of("/\\");
  return cut == std::string::npos ? std::string() : image.substr(0, cut + 1);
}

// The tools' temporaries beside an image: its name, ".part" or ".rows", then a process id.
void removeTemporaries(const std::string& image) {
  const std::string folder = folderOf(image), name = image.substr(folder.size());
  const auto listed = files::filesOf(folder.empty() ? "." : folder);
  if (!listed) return;
  for (const std::string& other : *listed)
    for (const char* kind : {".part", ".rows"}) {
      const std::string start = name + kind;
      if (other.size() <= start.size() || other.compare(0, start.size(), start) != 0) continue;
      if (other.find_first_not_of("0123456789", start.size()) == std::string::npos) files::removeFile(folder + other);
    }
}

}  // namespace

void clearStoppedJob(const std::string& number) {
  const std::string batch = files::readAll(sgbatch::jobFile(number, ".bat")).value_or("");
  for (const std::string& image : jobImages(batch)) {
    removeTemporaries(image);
    if (!sgbatch::isJobLayer(image)) continue;
    files::removeFile(image);
    const std::string stem = image.size() > 4 ? image.substr(0, image.size() - 4) : image;
    files::removeFile(stem + "_map.txt");
  }
  files::removeFile(sgbatch::jobFile(number, "progress.log"));
  files::removeFile(sgbatch::jobFile(number, ".log"));
}

}  // namespace sg::monitor
