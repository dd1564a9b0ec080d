#include "options/bedrock_worlds.h"

#include "platform/files.h"
#include "platform/text.h"

namespace sg::options {

namespace {

std::string joined(const std::string& folder, const char* name) { return folder + files::separator() + name; }

bool isFolder(const std::string& path) { return files::subfolders(path).has_value(); }

}  // namespace

bool isBedrockWorldFolder(const std::string& folder) {
  return files::FileExists(joined(joined(folder, "db"), "CURRENT")) && isFolder(joined(folder, "db"));
}

std::string bedrockLevelName(const std::string& folder) {
  auto lines = files::readLines(joined(folder, "levelname.txt"), 4096);
  if (lines && !lines->empty() && !text::trimBlanks(lines->front()).empty()) return lines->front();
  return files::lastComponent(folder);
}

std::string listBedrockWorld(const std::string& folder, std::set<std::string>& listed) {
  std::string name = bedrockLevelName(folder);
  if (listed.count(name)) name += " (" + files::lastComponent(folder) + ")";
  listed.insert(name);
  return name;
}

std::vector<std::string> bedrockWorldRoots(const platform::Environment& environment) {
  const char sep = files::separator();
  std::vector<std::string> roots;
  const std::string games = std::string("games") + sep + "com.mojang" + sep + "minecraftWorlds";
  if (auto appdata = environment.get("APPDATA"); appdata && !appdata->empty()) {
    const std::string users = *appdata + sep + "Minecraft Bedrock" + sep + "Users";
    if (auto each = files::subfolders(users))
      for (const auto& user : *each)
        if (isFolder(user + sep + games)) roots.push_back(user + sep + games);
  }
  if (auto local = environment.get("LOCALAPPDATA"); local && !local->empty()) {
    const std::string store = *local + sep + "Packages" + sep + "Microsoft.MinecraftUWP_8wekyb3d8bbwe" + sep +
                              "LocalState" + sep + games;
    if (isFolder(store)) roots.push_back(store);
  }
  return roots;
}

std::optional<std::string> findBedrockWorld(const std::vector<std::string>& roots, const std::string& name) {
  for (const auto& root : roots) {
    auto worlds = files::subfolders(root);
    if (!worlds) continue;
    for (const auto& w : *worlds) {
      if (!isBedrockWorldFolder(w)) continue;
      const std::string own = bedrockLevelName(w);
      if (own == name || own + " (" + files::lastComponent(w) + ")" == name) return w;
    }
  }
  return std::nullopt;
}

}  // namespace sg::options
