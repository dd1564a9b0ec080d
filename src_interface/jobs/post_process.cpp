#include "jobs/post_process.h"

#include "batch/job_files.h"
#include "jobs/batch_text.h"
#include "jobs/output_name.h"

namespace sg::jobs {

std::string postProcessorWords(options::RenderOptions& o) {
  const bool vertical = o.combomirroring.listIndex() == 2;
  if (o.combomirroring.visible()) o.checkmirror.setValue(o.combomirroring.listIndex() == 1 ? 1 : 0);
  bool horizontal = o.checkmirror.value() == 1;
  int style = o.combostyle.listIndex(), orientation = o.comboorientation.listIndex();
  if ((style == 5 || style == 6) && o.checkmapautomirror.value() == 1 &&
      o.checksurpressautomirroring.value() == 0 && (orientation == 1 || orientation == 3))
    horizontal = !horizontal;

  std::string words;
  long long k = counter(o.tempstackn);
  if (k > 1) {
    words = "merge " + std::to_string(k);
    for (long long i = 0; i < k; ++i) words += " " + sgbatch::jobLayer(jobNumber(o), i);
  } else {
    words = "input " + sgbatch::jobLayer(jobNumber(o), 0);
  }
  int rotation = o.comborotation.listIndex();
  if (rotation > 0) words += " rotate " + std::to_string(rotation * 90);
  int background = o.combobackground.listIndex();
  if (background > 0) words += " color " + batchBare(o.combobackground.list(background));
  if (horizontal) words += " mirror horizontally";
  if (vertical) words += " mirror vertically";
  if (o.checksurpressdeletion.value() == 0) words += " delete";
  words += " output \"" + batchArgument(o.genfile.text()) + "\"";
  return words;
}

void postprocess(JobBuild& job) {
  auto& o = job.o;
  generateName(o);
  std::string words = postProcessorWords(o);
  const bool logging = o.checkdisablelogging.value() == 0;
  std::vector<std::string> lines;
  if (logging) lines.push_back("echo Post Processing " + batchBare(o.genfile.text()) + " >> " + sgbatch::jobLog(jobNumber(o)));
  lines.push_back("strandvale_g_post_processor.exe " + words);
  lines.emplace_back();
  if (!job.batch.append(lines)) {
    warn(job.registry, "Warning: could not write post processing command to " + sgbatch::jobBatch(jobNumber(o)));
    return;
  }
  if (logging) setCounter(o.totaljob, counter(o.totaljob) + 1);
  setCounter(o.tempstackn, 0);
}

}  // namespace sg::jobs
