#include "jobs/render_request.h"

#include <exception>

#include "batch/job_files.h"
#include "forms/registry.h"
#include "jobs/custom_path_history.h"
#include "jobs/job_build.h"
#include "jobs/job_numbers.h"
#include "jobs/layer_expansion.h"
#include "jobs/post_process.h"
#include "jobs/render_entry.h"
#include "monitor/monitor_start.h"
#include "options/level_option_line.h"
#include "platform/files.h"
#include "settings/interface_settings.h"

namespace sg::jobs {

namespace {

constexpr int kRendersWithoutQuestion = 20;

// Renders a per-layer entry once per layer, each as an unstacked render of that layer alone;
// the entry's own filter and stacking choice are put back even when a render fails.
long long renderEachLayer(JobBuild& job) {
  auto& o = job.o;
  long long renders = 0;
  for (int layer : layersToRender(o.layerfiltercombo.listIndex(), o.layerfiltertext.text())) {
    const int combo = o.layerfiltercombo.listIndex();
    const std::string text = o.layerfiltertext.text();
    const int stacking = o.checksurpressstacking.value();
    auto putBack = [&] {
      o.layerfiltercombo.setListIndex(combo);
      o.layerfiltertext.setText(text);
      o.checksurpressstacking.setValue(stacking);
    };
    try {
      o.checksurpressstacking.setValue(1);
      o.layerfiltercombo.setListIndex(1);
      o.layerfiltertext.setText(std::to_string(layer));
      renderthis(job);
      ++renders;
    } catch (...) {
      putBack();
      throw;
    }
    putBack();
  }
  return renders;
}

// The walk over the stack list; returns the number of renders.
long long walkStack(JobBuild& job) {
  auto& o = job.o;
  setCounter(o.tempstackn, 0);
  setCounter(o.totaljob, 0);
  long long renders = 0;
  for (int i = 0; i < o.stacklist.listCount(); ++i) {
    selectRow(o, i);
    recordCustomPath(o, job.registry);
    if (o.checkeachlayer.value() == 0) {
      renderthis(job);
      ++renders;
    } else {
      renders += renderEachLayer(job);
    }
  }
  setCounter(o.totaljobrenders, renders);
  if (counter(o.tempstackn) > 0) postprocess(job);
  return renders;
}

bool confirmLargeRequest(forms::Registry& registry, long long renders) {
  if (renders <= kRendersWithoutQuestion) return true;
  auto answer = registry.services().dialogs.message(
      "You have requested to render " + std::to_string(renders) +
          " images, which can take a long time.\rAre you sure you want to continue?",
      platform::kTitle, platform::Icon::Exclamation, platform::Buttons::YesNo);
  return answer == platform::Answer::Yes;
}

}  // namespace

void selectRow(options::RenderOptions& o, int i) {
  if (o.stacklist.listIndex() != i) o.stacklist.setListIndex(i);
  else options::stacklist_Click(o);
}

void renderRequest(forms::Form& form1) {
  options::RenderOptions o(form1);
  forms::Registry& registry = form1.registry();
  platform::Services& services = registry.services();

  chooseJobNumber(o);
  const long long n = jobNumber(o);
  // The failure lines of an earlier job of this number belong to that job, not to this one.
  files::removeFile(sgbatch::jobOutput(n));
  BatchFile batch(sgbatch::jobBatch(n));
  bool hidden = false;
  // The traps end the request without starting it; the main window comes back whenever the
  // request had hidden it, so that the program is never left without a visible window.
  auto trap = [&](const std::string& message) {
    batch.close();
    warn(registry, message);
    if (hidden) form1.show();
  };
  const std::string trapA = "Warning: could not write introduction to " + batch.name() +
                            "\rPlease make sure you run Strandvale G with writing rights and if "
                            "necessary not in a subfolder to your desktop or documents folder";

  std::vector<std::string> intro{"@echo Rename this batchfile if you want to use it again"};
  if (o.checkdisablelogging.value() == 0)
    intro.push_back("echo Starting at " + services.clock.timeOfDay() + " >> " + sgbatch::jobLog(n));
  if (!batch.create(intro)) return trap(trapA);

  const int remembered = o.stacklist.listIndex();
  form1.hide();
  hidden = true;

  long long renders = 0;
  try {
    JobBuild job{o, registry, batch};
    renders = walkStack(job);
  } catch (const std::exception&) {
    return trap(trapA);
  }

  if (!confirmLargeRequest(registry, renders)) {
    batch.close();
    form1.show();
    return;
  }

  if (o.checkdisablelogging.value() == 0) {
    const std::string log = sgbatch::jobLog(n);
    if (!files::writeLines(log, {}) ||
        !batch.append({"del " + log, "del " + sgbatch::jobProgress(n)}))
      return trap("Warning: could not add deletion of " + log + " to " + batch.name() +
                  ", please manually remove it afterwards");
    batch.close();
    const std::string trapC = "Warning: could not open logging screen";
    try {
      monitor::openProgressMonitor(registry, static_cast<int>(n), static_cast<int>(counter(o.totaljob)));
    } catch (const std::exception&) {
      return trap(trapC);
    }
    if (!services.launcher.start(batch.name(), true)) return trap(trapC);
  } else {
    batch.close();
    form1.show();
    if (!services.launcher.start(batch.name(), true)) return trap(trapA);
  }

  if (remembered >= 0 && remembered < o.stacklist.listCount()) selectRow(o, remembered);
  settings::trysave(registry);
}

}  // namespace sg::jobs
