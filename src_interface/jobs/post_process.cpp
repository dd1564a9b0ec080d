#include "jobs/post_process.h"

#include "batch/job_files.h"
#include "jobs/batch_text.h"
#include "jobs/output_name.h"
#include "render_words/render_words.h"

namespace sg::jobs {

namespace {

sgwords::Word styleWord(int index) {
  return static_cast<sgwords::Word>(static_cast<int>(sgwords::Word::Normal) + index);
}
sgwords::Word orientationWord(int index) {
  return static_cast<sgwords::Word>(static_cast<int>(sgwords::Word::North) + index);
}

// The renderer left the map mirrored (sautomirror), so this step mirrors it back.
bool mirrorsBack(const options::RenderEntry& e, const options::RequestOptions& r) {
  const bool known = e.style >= 0 && e.style <= 6 && e.orientation >= 0 && e.orientation <= 3;
  return known && sgwords::ownViewMirrored(styleWord(e.style), orientationWord(e.orientation)) &&
         options::isChecked(e.suppressAutoMirror) && r.suppressAutoMirroring == 0;
}

}  // namespace

std::string postProcessorWords(JobBuild& job, const options::RenderEntry& e) {
  auto& r = job.request;
  const bool vertical = r.mirroring == 2;
  if (r.mirroringShown) r.mirror = r.mirroring == 1 ? 1 : 0;
  bool horizontal = r.mirror == 1;
  if (mirrorsBack(e, r)) horizontal = !horizontal;

  std::string words;
  const long long k = job.stacked;
  if (k > 1) {
    words = "merge " + std::to_string(k);
    for (long long i = 0; i < k; ++i) words += " " + sgbatch::jobLayer(job.number, i);
  } else {
    words = "input " + sgbatch::jobLayer(job.number, 0);
  }
  if (r.rotation > 0) words += " rotate " + std::to_string(r.rotation * 90);
  if (r.background > 0) words += " color " + batchBare(r.backgroundText);
  if (horizontal) words += " mirror horizontally";
  if (vertical) words += " mirror vertically";
  if (job.zoomableMap) words += " zoomablemap";
  if (r.suppressDeletion == 0) words += " delete";
  words += " output \"" + batchArgument(job.genfile) + "\"";
  return words;
}

void postprocess(JobBuild& job, const options::RenderEntry& e) {
  job.genfile = outputName(e, job.request, job.stacked);
  std::string words = postProcessorWords(job, e);
  const bool logging = job.request.disableLogging == 0;
  std::vector<std::string> lines;
  if (logging) lines.push_back("echo Post Processing " + batchBare(job.genfile) + " >> " + sgbatch::jobLog(job.number));
  lines.push_back("strandvale_g_post_processor.exe " + words);
  lines.emplace_back();
  if (!job.batch.append(lines)) {
    warn(job.registry, "Warning: could not write post processing command to " + sgbatch::jobBatch(job.number));
    return;
  }
  if (logging) ++job.tasks;
  job.stacked = 0;
  job.zoomableMap = false;
}

}  // namespace sg::jobs
