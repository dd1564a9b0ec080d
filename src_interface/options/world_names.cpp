#include "options/world_names.h"

#include <algorithm>

#include "options/bedrock_worlds.h"
#include "platform/files.h"
#include "platform/text.h"
#include "settings/interface_settings.h"

namespace sg::options {

namespace {

bool setting(RenderOptions& o, const char* checkbox) {
  return settings::settingOn(o.form.registry(), checkbox);
}

bool isSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

bool isServerPath(const std::string& path) {
  return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]);
}

std::string checkcustomname(RenderOptions& o, const std::string& folder) {
  if (setting(o, "worldnameempty")) return {};
  if (o.form.control("checknosnooping").value() == 1 || setting(o, "worldnamenosnooping"))
    return files::lastComponent(folder);
  try {
    // A Bedrock world goes by its own name, and is listed by it.
    if (isBedrockWorldFolder(folder)) return bedrockLevelName(folder);
    if (!files::FileExists(folder + files::separator() + "level.dat")) {
      const std::string name = files::lastComponent(folder);
      const std::vector<std::string> roots = {folder.substr(0, folder.size() - name.size())};
      if (!name.empty() && (findBedrockWorld(roots, name) ||
                            findBedrockWorld(bedrockWorldRoots(o.form.services().environment), name)))
        return name;
      return kLevelNotFound;
    }
    return files::lastComponent(folder);
  } catch (const std::exception&) {
    return kFolderNotFound;
  }
}

std::string checkservername(RenderOptions& o, const std::string& path) {
  std::string name;
  bool periods = false;
  if (!setting(o, "worldnamenoserverprefix")) {
    // The later of the first backslash and the first slash after the two leading separators.
    size_t back = path.find('\\', 2), slash = path.find('/', 2);
    size_t end = std::string::npos;
    if (back != std::string::npos && slash != std::string::npos) end = std::max(back, slash);
    else if (back != std::string::npos) end = back;
    else end = slash;
    if (end != std::string::npos) {
      std::string server = path.substr(2, end - 2);
      if (!setting(o, "worldnamenoparsing")) server = text::replaceAll(server, ".", "-");
      name = server + "_";
    } else {
      periods = true;  // a bare server: its name is the last component
    }
  }
  if (!setting(o, "worldnameempty")) name += files::lastComponent(path);
  if (setting(o, "worldnamenoparsing")) periods = false;
  if (periods) name = text::replaceAll(name, ".", "-");
  return name;
}

}  // namespace sg::options
