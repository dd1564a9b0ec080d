#include "jobs/job_build.h"

#include "jobs/render_command.h"
#include "platform/text.h"
#include "settings/interface_settings.h"

namespace sg::jobs {

options::RequestOptions readRequest(const options::RenderOptions& o, forms::Registry& registry) {
  options::RequestOptions r;
  r.mapFormat = o.combomapformat.listIndex();
  r.verbosity = o.comboverbosity.listIndex();
  r.disableLogging = o.checkdisablelogging.value();
  r.disablePostProcessor = o.checkdisablepostprocessor.value();
  r.suppressStacking = o.checksurpressstacking.value();
  r.suppressDeletion = o.checksurpressdeletion.value();
  r.suppressAutoMirroring = o.checksurpressautomirroring.value();
  r.background = o.combobackground.listIndex();
  if (r.background > 0) r.backgroundText = o.combobackground.list(r.background);
  r.rotation = o.comborotation.listIndex();
  r.mirroring = o.combomirroring.listIndex();
  r.mirroringShown = o.combomirroring.visible();
  r.mirror = o.checkmirror.value();
  r.outputFile = o.txtoutputfile.text();
  r.customSaves = !savePathIsAppData(registry);
  if (r.customSaves) r.savePath = settings::getSavePath(registry);
  return r;
}

void showJobState(options::RenderOptions& o, const JobBuild& job) {
  o.checkmirror.setValue(job.request.mirror);
  o.checksurpressstacking.setValue(job.request.suppressStacking);
  setCounter(o.tempstackn, job.stacked);
  setCounter(o.totaljob, job.tasks);
  o.genfile.setText(job.genfile);
}

long long counter(const forms::Control& field) {
  return text::roundHalfEven(text::numericValue(field.text()));
}

void setCounter(forms::Control& field, long long value) { field.setText(std::to_string(value)); }

void warn(forms::Registry& registry, const std::string& text) {
  registry.services().dialogs.message(text, platform::kTitle, platform::Icon::Exclamation,
                                      platform::Buttons::OK);
}

}  // namespace sg::jobs
