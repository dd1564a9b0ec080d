// Writing a whole image as a PNG on several threads: the rows (unfiltered, as the row writer
// writes them) are deflated in strips side by side, each strip primed with the 32 KB before it
// and ended on a byte boundary, so that the strips make one zlib stream (as a parallel gzip
// makes one file); the file is the same picture as the row writer's, at about its size.
#pragma once
#include <string>

#include "imaging/rgba_image.h"

namespace sgimage {

// Written to a temporary name and renamed over the target; false with a reason.
bool writePngOnThreads(const std::string& file, const RgbaImage& image, int threads, std::string& error);

}  // namespace sgimage
