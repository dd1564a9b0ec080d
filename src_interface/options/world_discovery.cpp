#include "options/world_discovery.h"

#include <algorithm>
#include <set>

#include "forms/registry.h"
#include "options/bedrock_worlds.h"
#include "options/world_names.h"
#include "platform/files.h"
#include "settings/interface_settings.h"

namespace sg::options {

namespace {

void addSlotNames(RenderOptions& o) {
  if (!settings::settingOn(o.form.registry(), "worldfolderalpha")) return;
  for (const char* slot : {"World1", "World2", "World3", "World4", "World5"})
    o.comboworldfolders.addItem(slot);
}

void fallbackList(RenderOptions& o) {
  o.comboworldfolders.clear();
  addSlotNames(o);
  o.comboworldfolders.addItem("Custom");
}

// Lists the world folders into tempworlds; false when the saves folder cannot be listed.
bool collectWorlds(RenderOptions& o, const std::string& saves) {
  auto& tempworlds = o.form.control("tempworlds");
  auto& dir = o.form.control("Dir1");
  tempworlds.clear();
  dir.clear();
  dir.setTag(saves);
  // An empty path would list the working folder instead of any saves folder.
  if (saves.empty()) return false;
  auto folders = files::subfolders(saves);
  if (!folders) return false;
  std::set<std::string> listed;
  std::vector<std::string> bedrock;
  for (const auto& folder : *folders) {
    dir.addItem(folder);
    // The test ignores letter case; asking for the game's own spelling first spares a scan
    // of every world folder for another spelling.
    if (!files::FileExists(folder + files::separator() + "level.dat")) continue;
    if (isBedrockWorldFolder(folder)) {
      bedrock.push_back(folder);
      continue;
    }
    tempworlds.addItem(files::lastComponent(folder));
    listed.insert(files::lastComponent(folder));
  }
  // Bedrock worlds after the Java ones: those of the saves folder, then the game's own.
  for (const auto& root : bedrockWorldRoots(o.form.services().environment))
    if (auto worlds = files::subfolders(root))
      for (const auto& w : *worlds)
        if (isBedrockWorldFolder(w) && std::find(bedrock.begin(), bedrock.end(), w) == bedrock.end()) bedrock.push_back(w);
  for (const auto& w : bedrock) tempworlds.addItem(listBedrockWorld(w, listed));
  return true;
}

}  // namespace

void loadnosnooping(RenderOptions& o) {
  if (!files::FileExists(kNoSnoopingFile)) return;
  o.form.control("checknosnooping").setValue(1);
  forms::Form* dialog = settings::settingsDialog(o.form.registry());
  if (!dialog) return;
  settings::InterfaceSettings s(*dialog);
  s.currentlyloading.setValue(1);
  s.worldnamenosnooping.setValue(1);
  s.worldfoldernosnooping.setValue(1);
  s.currentlyloading.setValue(0);
}

void loadworldfolders(RenderOptions& o) {
  o.comboworldfolders.clear();
  if (settings::settingOn(o.form.registry(), "worldfoldernosnooping")) return fallbackList(o);
  addSlotNames(o);
  std::string saves = settings::getSavePath(o.form.registry());
  bool listed = false;
  try {
    listed = collectWorlds(o, saves);
    if (listed) {
      // Every listed world has its level file (collectWorlds has just looked), so the name
      // check, which asks only that, passes for each of them: one look a world is enough.
      for (const auto& name : o.form.control("tempworlds").items()) o.comboworldfolders.addItem(name);
      o.comboworldfolders.addItem("Custom");
    }
  } catch (const std::exception&) {
    listed = false;
  }
  if (listed) return;
  o.form.control("checknosnooping").setValue(1);
  o.form.services().dialogs.message(
      "Warning: Could not load the list of world folders from the minecraft saves folder.\r"
      "Attempted to open: " + saves + "\r"
      "Please check your security settings and AppData path.\r"
      "Please change the settings regarding world folder loading and/or world name generation "
      "at the Advanced Interface Settings",
      platform::kTitle, platform::Icon::Exclamation, platform::Buttons::OK);
  fallbackList(o);
}

}  // namespace sg::options
