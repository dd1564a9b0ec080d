#include "jobs/render_request.h"

#include <exception>
#include <optional>

#include "batch/job_files.h"
#include "forms/registry.h"
#include "jobs/custom_path_history.h"
#include "jobs/job_build.h"
#include "jobs/job_numbers.h"
#include "jobs/layer_expansion.h"
#include "jobs/post_process.h"
#include "jobs/render_command.h"
#include "monitor/monitor_start.h"
#include "options/entry_edit.h"
#include "options/level_option_line.h"
#include "platform/files.h"
#include "settings/interface_settings.h"

namespace sg::jobs {

namespace {

using options::RenderEntry;

constexpr int kRendersWithoutQuestion = 20;

// The walk over the stack: the rows selected one by one as the window would select them, each
// read once into its entry by the window's own rules played on a value, so that no row is
// loaded into the controls to be read back. The rows' texts end as the selections leave them.
struct StackWalk {
  options::RenderOptions& o;
  JobBuild& job;
  options::EntryEdit edit;
  std::vector<std::string> rows;
  int selected = -1;
  std::optional<std::vector<std::string>> tokens = std::nullopt;  // the words of the row loaded last

  void select(int i) {
    selected = i;
    if (!edit.locked) tokens = options::tokenizeLevelOptionLine(rows[static_cast<size_t>(i)]);
    edit.select(rows[static_cast<size_t>(i)]);
    rows[static_cast<size_t>(i)] = edit.row;
  }

  // A per-layer entry renders once per layer, each as an unstacked render of that layer alone;
  // the entry's own filter and the stacking choice are put back even when a render fails.
  long long renderEachLayer() {
    long long renders = 0;
    const RenderEntry& e = edit.entry;
    for (int layer : layersToRender(e.layerFilter, e.layers)) {
      const int filter = e.layerFilter;
      const std::string layers = e.layers;
      const int stacking = job.request.suppressStacking;
      auto putBack = [&] {
        edit.setNumber(&RenderEntry::layerFilter, filter);
        edit.setText(&RenderEntry::layers, layers);
        job.request.suppressStacking = stacking;
        rows[static_cast<size_t>(selected)] = edit.row;
      };
      try {
        job.request.suppressStacking = 1;
        edit.setNumber(&RenderEntry::layerFilter, 1);
        edit.setText(&RenderEntry::layers, std::to_string(layer));
        rows[static_cast<size_t>(selected)] = edit.row;
        renderthis(job, edit.entry, edit.row);
        ++renders;
      } catch (...) {
        putBack();
        throw;
      }
      putBack();
    }
    return renders;
  }

  // Returns the number of renders.
  long long walk() {
    job.stacked = 0;
    job.tasks = 0;
    long long renders = 0;
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
      select(i);
      recordCustomPath(edit.entry, o, job.registry);
      if (edit.entry.eachLayer == 0) {
        renderthis(job, edit.entry, edit.row);
        ++renders;
      } else {
        renders += renderEachLayer();
      }
    }
    setCounter(o.totaljobrenders, renders);
    if (job.stacked > 0) postprocess(job, edit.entry);
    return renders;
  }

  // The window as the walk leaves it: the rows rewritten, the row selected last showing its
  // options, and the job's counters in their fields.
  void show() {
    for (int j = 0; j < static_cast<int>(rows.size()); ++j)
      o.stacklist.setList(j, rows[static_cast<size_t>(j)]);
    if (selected >= 0) {
      o.lock();
      o.stacklist.setListIndex(selected);
      if (tokens) {
        o.temppack.clear();
        for (const auto& t : *tokens) o.temppack.addItem(t);
      }
      options::showEntry(o, edit.entry, edit.enabling);
      o.stacklist.setList(selected, rows[static_cast<size_t>(selected)]);
      if (edit.locked) o.lock();
      else o.unlock();
    }
    showJobState(o, job);
  }
};

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

  JobBuild job{.registry = registry, .batch = batch, .number = n, .request = readRequest(o, registry),
               .genfile = o.genfile.text()};
  const options::WorldChoices worlds = options::worldChoices(o);
  StackWalk walk{.o = o,
                 .job = job,
                 .edit = options::EntryEdit(options::readEntry(o), options::readEnabling(o), o.locked(), worlds),
                 .rows = o.stacklist.items()};
  long long renders = 0;
  try {
    renders = walk.walk();
  } catch (const std::exception&) {
    walk.show();
    return trap(trapA);
  }
  walk.show();

  if (!confirmLargeRequest(registry, renders)) {
    batch.close();
    form1.show();
    return;
  }

  if (job.request.disableLogging == 0) {
    const std::string log = sgbatch::jobLog(n);
    if (!files::writeLines(log, {}) ||
        !batch.append({"del " + log, "del " + sgbatch::jobProgress(n)}))
      return trap("Warning: could not add deletion of " + log + " to " + batch.name() +
                  ", please manually remove it afterwards");
    batch.close();
    const std::string trapC = "Warning: could not open logging screen";
    try {
      monitor::openProgressMonitor(registry, static_cast<int>(n), static_cast<int>(job.tasks));
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
