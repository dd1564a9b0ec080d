// What the program does in its working folder before its windows open, where the render tools
// are not installed beside the jobs (the Windows program): the tools are brought in, since the
// batch jobs run them by bare name, and on a machine without the game's worlds a demo world is
// written, so that the first Render gives a picture.
#pragma once
#include <string>

#include "platform/environment.h"

namespace sg::platform {

// Copies the render tools from the program's own folder into the working folder where they are
// missing there or older than the program's. Nothing happens when the folders are one (the
// portable zip).
void bringRenderToolsIn(const std::string& programFolder);

// On the first start (no settings.dat) when the game's saves folder holds no world: writes a demo
// world with the world writer beside the program into demo-saves, and a settings.dat whose save
// folder is demo-saves. True when it did.
bool writeDemoWorldOnFirstStart(const std::string& programFolder, const Environment& environment);

// The folder of the running program, in the system's narrow encoding.
std::string programFolder();

}  // namespace sg::platform
