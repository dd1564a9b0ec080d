#include "jobs/render_entry.h"

#include "batch/job_files.h"
#include "jobs/batch_text.h"
#include "jobs/chunk_range.h"
#include "jobs/output_name.h"
#include "jobs/post_process.h"
#include "options/render_word_controls.h"
#include "settings/interface_settings.h"

namespace sg::jobs {

bool savePathIsAppData(forms::Registry& registry) {
  forms::Form* form5 = registry.find("Form5");
  if (!form5) return true;
  forms::Control* appdata = form5->find("oppathappdata");
  return !appdata || appdata->value() == 1;
}

std::string rendererTail(JobBuild& job, const std::string& output) {
  auto& o = job.o;
  std::string tail = "progress " + sgbatch::jobProgress(jobNumber(o)) + ' ';
  if (!savePathIsAppData(job.registry))
    tail += "environment \"" + batchArgument(settings::getSavePath(job.registry)) + "\" ";
  for (const auto& w : sgwords::renderWords())
    if (w.writer == sgwords::Writer::Tail && !w.control.empty() && options::says(o, w))
      tail += std::string(w.word) + ' ' + options::argumentsOf(o, w);
  if (!output.empty()) tail += "outfile " + output;
  return tail;
}

void renderthis(JobBuild& job) {
  auto& o = job.o;
  generateName(o);
  const std::string genfile = o.genfile.text();
  const bool postProcessing = o.checkdisablepostprocessor.value() == 0 && o.checklocoffset.value() == 0;
  const bool stacking = o.checksurpressstacking.value() == 0;

  std::string output, label;
  if (postProcessing) {
    long long k = 0;
    if (stacking) {
      k = counter(o.tempstackn);
      setCounter(o.tempstackn, k + 1);
    }
    output = sgbatch::jobLayer(jobNumber(o), k);
    label = output + " (" + batchBare(genfile) + ")";
    if (!stacking && counter(o.tempstackn) > 0) postprocess(job);
  } else {
    output = "\"" + batchArgument(genfile) + "\"";
    label = "\"" + batchQuoted(genfile) + "\"";
  }
  std::string tail = rendererTail(job, output);

  int row = o.stacklist.listIndex();
  std::string entry = row >= 0 ? o.stacklist.list(row) : std::string();
  if (o.combolocchunks.listIndex() == 1) entry = loadChunkRange(entry, o.txtmapname.text());

  std::vector<std::string> lines;
  if (o.checkdisablelogging.value() == 0) {
    setCounter(o.totaljob, counter(o.totaljob) + 1);
    lines.push_back("echo Rendering " + label + " >> " + sgbatch::jobLog(jobNumber(o)));
  }
  lines.push_back("strandvale_g_renderer.exe " + batchOptionLine(entry) + tail);
  if (!job.batch.append(lines)) {
    warn(job.registry, "Warning: could not write render command to " + sgbatch::jobBatch(jobNumber(o)));
    return;
  }
  if (postProcessing && !stacking) postprocess(job);
}

}  // namespace sg::jobs
