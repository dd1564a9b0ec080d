#include "post_processor/post_processor.h"

#include <algorithm>
#include <filesystem>

#include "batch/job_failures.h"
#include "imaging/png_file.h"
#include "imaging/image_operations.h"
#include "post_processor/post_arguments.h"

namespace sgpost {

namespace {

// Says why a step failed: on standard error, and as the job's failure line where the step
// belongs to a job (its inputs are the job's layer images).
int failed(const std::vector<std::string>& words, const std::string& output, const std::string& reason,
           std::ostream& errors) {
  errors << "post processor: " << reason << "\n";
  if (auto log = sgbatch::jobOutputLog(words))
    sgbatch::appendJobFailure(*log, "post processing" + (output.empty() ? std::string() : " of " + output), reason);
  return 1;
}

}  // namespace

int runPostProcessor(const std::vector<std::string>& words, std::ostream& errors) {
  std::string error;
  auto args = parsePostArguments(words, error);
  if (!args) return failed(words, "", error, errors);
  std::vector<sgimage::RgbaImage> layers;
  long long canvasPixels = 0;
  int maxW = 0, maxH = 0;
  for (const auto& name : args->inputs) {
    sgimage::RgbaImage image;
    if (!sgimage::readPng(name, image, error)) {
      return failed(words, args->output, "cannot read input " + name + ": " + error, errors);
    }
    maxW = std::max(maxW, image.width());
    maxH = std::max(maxH, image.height());
    canvasPixels = static_cast<long long>(maxW) * maxH;
    if (canvasPixels > sgimage::kMaxPixels) {
      return failed(words, args->output,
                    "merged canvas " + std::to_string(maxW) + "x" + std::to_string(maxH) + " is too large", errors);
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
    return failed(words, args->output, "cannot write output " + args->output + ": " + error, errors);
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
