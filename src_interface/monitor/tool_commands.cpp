#include "monitor/tool_commands.h"

#include <optional>

#include "batch/batch_line.h"
#include "batch/windows_arguments.h"

namespace sg::monitor {

void eachToolCommand(const std::string& batchText,
                     const std::function<void(Tool tool, const std::vector<std::string>& args)>& f) {
  const auto none = [](const std::string&) -> std::optional<std::string> { return std::nullopt; };
  for (const std::string& line : sgbatch::batchLines(batchText))
    for (const sgbatch::Command& c : sgbatch::parseLine(sgbatch::expandPercents(line, "", none))) {
      const sgbatch::CommandWord w = sgbatch::commandWord(c.text);
      if (w.word == "strandvale_g_renderer.exe") f(Tool::Renderer, sgbatch::splitWindowsArguments(w.rest));
      else if (w.word == "strandvale_g_post_processor.exe") f(Tool::PostProcessor, sgbatch::splitWindowsArguments(w.rest));
    }
}

}  // namespace sg::monitor
