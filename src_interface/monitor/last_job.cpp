#include "monitor/last_job.h"

#include "platform/dialogs.h"
#include "platform/files.h"

namespace sg::monitor {

namespace {
const char* const kRow[] = {"picjob", "lbllastjob", "cmdopenimage", "cmdopenfolder", "cmdopenmap"};
}

void showLastJob(forms::Form& main, const JobOutput& shown, const std::string& line) {
  if (!main.find("lbllastjob")) return;
  if (!main.control("lbllastjob").visible()) {
    main.setHeight(main.height() + kLastJobRowHeight);
    for (const char* c : kRow) main.control(c).setVisible(true);
  }
  main.control("lbllastjob").setCaption(line);
  main.control("lastjobimage").setText(shown.made ? shown.image : "");
  main.control("lastjobmap").setText(shown.mapMade ? shown.map : "");
  main.control("picjob").setPicture({});
  main.control("cmdopenimage").setEnabled(shown.made);
  main.control("cmdopenfolder").setEnabled(shown.made);
  main.control("cmdopenmap").setEnabled(shown.mapMade);
}

void showLastJobPicture(forms::Form& main, const std::string& image, forms::Picture picture) {
  if (!main.find("picjob") || main.control("lastjobimage").text() != image) return;
  main.control("picjob").setPicture(std::move(picture));
}

void openResult(forms::Registry& registry, const JobOutput& output, platform::Opening what) {
  if (what == platform::Opening::Page ? !output.mapMade : !output.made) return;
  const std::string target =
      what == platform::Opening::Page ? output.map + files::separator() + "index.html" : output.image;
  auto& services = registry.services();
  if (!services.launcher.open(target, what))
    services.dialogs.message("There is no program here to open " + target + ".", platform::kTitle,
                             platform::Icon::Exclamation, platform::Buttons::OK);
}

void openLastJob(forms::Form& main, platform::Opening what) {
  JobOutput output;
  output.image = main.control("lastjobimage").text();
  output.map = main.control("lastjobmap").text();
  output.made = !output.image.empty();
  output.mapMade = !output.map.empty();
  openResult(main.registry(), output, what);
}

}  // namespace sg::monitor
