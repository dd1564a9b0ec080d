#include "qt/display_check.h"

#include <filesystem>

namespace sg::qt {

namespace {

bool set(const platform::Environment& env, const char* name) {
  auto v = env.get(name);
  return v && !v->empty();
}

// Where the script driver lies: beside the program when installed, one folder up in a build.
std::string scriptDriverPath(const std::string& programPath) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::path(programPath).parent_path();
  if (dir.empty()) return "strandvale-g-script";
  std::error_code ec;
  for (const fs::path& candidate : {dir / "strandvale-g-script", dir.parent_path() / "strandvale-g-script"})
    if (fs::is_regular_file(candidate, ec)) return candidate.string();
  return "strandvale-g-script";
}

}  // namespace

std::optional<std::string> missingDisplayMessage(const platform::Environment& env,
                                                 const std::string& programPath) {
#if defined(_WIN32) || defined(__APPLE__)
  (void)env;
  (void)programPath;
  return std::nullopt;
#else
  if (set(env, "QT_QPA_PLATFORM") || set(env, "DISPLAY") || set(env, "WAYLAND_DISPLAY"))
    return std::nullopt;
  return "strandvale-g: no display to open windows on (DISPLAY and WAYLAND_DISPLAY are unset); "
         "drive the program headless with the script driver instead, for example: echo start | " +
         scriptDriverPath(programPath);
#endif
}

}  // namespace sg::qt
