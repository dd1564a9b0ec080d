// The main window's line of the last job: a small preview of its image, what it made and how it
// ended, and buttons that open the image, its folder and its map. The line stays hidden until a
// job has ended; the first time it shows, the window grows by its height. The image and map it
// opens are kept in the window's hidden fields lastjobimage and lastjobmap.
#pragma once
#include <string>

#include "forms/registry.h"
#include "monitor/job_result.h"
#include "platform/launcher.h"

namespace sg::monitor {

// The height the line adds to the main window, in twips.
inline constexpr int kLastJobRowHeight = 975;

void showLastJob(forms::Form& main, const JobOutput& shown, const std::string& line);
// The preview of `image`, when that is still the image of the main window's line.
void showLastJobPicture(forms::Form& main, const std::string& image, forms::Picture picture);

// Opens an output's image, its folder (with the image selected) or its map's page; says so in
// a message when the system has no program for it.
void openResult(forms::Registry& registry, const JobOutput& output, platform::Opening what);
// The same for the main window's line.
void openLastJob(forms::Form& main, platform::Opening what);

}  // namespace sg::monitor
