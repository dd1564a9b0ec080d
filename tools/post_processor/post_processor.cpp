#include "post_processor/post_processor.h"

#include <algorithm>
#include <filesystem>

#include "imaging/png_file.h"
#include "imaging/image_operations.h"
#include "post_processor/post_arguments.h"

namespace sgpost {

int runPostProcessor(const std::vector<std::string>& words, std::ostream& errors) {
  std::string error;
  auto args = parsePostArguments(words, error);
  if (!args) {
    errors << "post processor: " << error << "\n";
    return 1;
  }
  std::vector<sgimage::RgbaImage> layers;
  long long canvasPixels = 0;
  int maxW = 0, maxH = 0;
  for (const auto& name : args->inputs) {
    sgimage::RgbaImage image;
    if (!sgimage::readPng(name, image, error)) {
      errors << "post processor: cannot read input " << name << ": " << error << "\n";
      return 1;
    }
    maxW = std::max(maxW, image.width());
    maxH = std::max(maxH, image.height());
    canvasPixels = static_cast<long long>(maxW) * maxH;
    if (canvasPixels > sgimage::kMaxPixels) {
      errors << "post processor: merged canvas " << maxW << "x" << maxH << " is too large\n";
      return 1;
    }
    layers.push_back(std::move(image));
  }
  sgimage::RgbaImage image = layers.size() == 1 ? std::move(layers[0]) : sgimage::mergeLayers(layers);
  layers.clear();
  for (const Step& s : args->steps) {
    switch (s.kind) {
      case Step::Rotate: image = sgimage::rotateClockwise(image, s.degrees); break;
      case Step::Colour: image = sgimage::fillBackground(image, s.colour); break;
      case Step::MirrorHorizontally: image = sgimage::mirrorHorizontally(image); break;
      case Step::MirrorVertically: image = sgimage::mirrorVertically(image); break;
    }
  }
  if (!sgimage::writePngAtomically(args->output, image, error)) {
    errors << "post processor: cannot write output " << args->output << ": " << error << "\n";
    return 1;
  }
  if (args->deleteInputs) {
    for (const auto& name : args->inputs) {
      std::error_code ec;
      // An input that is also the output now holds the result and must stay.
      if (std::filesystem::equivalent(name, args->output, ec)) continue;
      std::filesystem::remove(name, ec);
    }
  }
  return 0;
}

}  // namespace sgpost
