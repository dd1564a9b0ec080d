#include "jobs/render_command.h"

#include "batch/job_files.h"
#include "jobs/batch_text.h"
#include "jobs/chunk_range.h"
#include "jobs/output_name.h"
#include "jobs/post_process.h"
#include "options/word_bindings.h"

namespace sg::jobs {

bool savePathIsAppData(forms::Registry& registry) {
  forms::Form* form5 = registry.find("Form5");
  if (!form5) return true;
  forms::Control* appdata = form5->find("oppathappdata");
  return !appdata || appdata->value() == 1;
}

std::string rendererTail(const JobBuild& job, const std::string& output) {
  std::string tail = "progress " + sgbatch::jobProgress(job.number) + ' ';
  if (job.request.customSaves) tail += "environment \"" + batchArgument(job.request.savePath) + "\" ";
  for (const auto& w : sgwords::renderWords())
    if (w.writer == sgwords::Writer::Tail && options::says(job.request, w))
      tail += std::string(w.word) + ' ' + options::argumentsOf(job.request, w);
  if (!output.empty()) tail += "outfile " + output;
  return tail;
}

void renderthis(JobBuild& job, const options::RenderEntry& e, const std::string& row) {
  job.genfile = outputName(e, job.request, job.stacked);
  const std::string genfile = job.genfile;
  const bool postProcessing = job.request.disablePostProcessor == 0 && e.makeOffsetFile == 0;
  const bool stacking = job.request.suppressStacking == 0;

  std::string output, label;
  if (postProcessing) {
    long long k = 0;
    if (stacking) k = job.stacked++;
    output = sgbatch::jobLayer(job.number, k);
    label = output + " (" + batchBare(genfile) + ")";
    if (!stacking && job.stacked > 0) postprocess(job, e);
    if (options::isChecked(e.zoomableMap)) job.zoomableMap = true;
  } else {
    output = "\"" + batchArgument(genfile) + "\"";
    label = "\"" + batchQuoted(genfile) + "\"";
  }
  std::string tail = rendererTail(job, output);

  std::string entry = row;
  if (e.chunks == 1) entry = loadChunkRange(entry, e.name);

  std::vector<std::string> lines;
  if (job.request.disableLogging == 0) {
    ++job.tasks;
    lines.push_back("echo Rendering " + label + " >> " + sgbatch::jobLog(job.number));
  }
  lines.push_back("strandvale_g_renderer.exe " + batchOptionLine(entry) + tail);
  if (!job.batch.append(lines)) {
    warn(job.registry, "Warning: could not write render command to " + sgbatch::jobBatch(job.number));
    return;
  }
  if (postProcessing && !stacking) postprocess(job, e);
}

}  // namespace sg::jobs
