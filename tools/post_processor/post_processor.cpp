#include "post_processor/post_processor.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <iterator>

#include "batch/job_failures.h"
#include "batch/job_files.h"
#include "post_processor/row_merge.h"
#include "post_processor/post_arguments.h"
#include "imaging/png_file.h"
#include "post_processor/map_geometry.h"
#include "system/atomic_file.h"
#include "system/tool_system.h"
#include "zoom_map/zoomable_map.h"

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

// The merged canvas: as wide and as tall as the largest input, by their files' headers.
void canvasSize(const PostArguments& args, int& width, int& height) {
  width = height = 1;
  for (const auto& name : args.inputs) {
    int w = 0, h = 0;
    if (!sgimage::pngSize(name, w, h)) continue;
    width = std::max(width, w);
    height = std::max(height, h);
  }
}

// The facts of the first input that has them, carried through the steps: the facts of the
// output's zoomable map. Layers are merged at their top left corners, so a layer's facts hold
// for the merged canvas too.
sgmap::MapFacts outputFacts(const PostArguments& args, int canvasWidth, int canvasHeight) {
  sgmap::MapFacts facts;
  for (const auto& name : args.inputs) {
    std::ifstream in(sgsys::pathOf(sgmap::factsFileOf(name)), std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (auto f = sgmap::parseFacts(text)) {
      facts = *f;
      break;
    }
  }
  facts.width = canvasWidth;
  facts.height = canvasHeight;
  for (const Step& s : args.steps) {
    if (s.kind == Step::Rotate) facts.rotateClockwise(s.degrees);
    if (s.kind == Step::MirrorHorizontally) facts.mirrorHorizontally();
    if (s.kind == Step::MirrorVertically) facts.mirrorVertically();
  }
  return facts;
}

// A job's layer image goes with the facts kept beside it.
void removeInput(const std::string& name) {
  std::error_code ec;
  std::filesystem::remove(sgsys::pathOf(name), ec);
  if (sgbatch::isJobLayer(name)) std::filesystem::remove(sgsys::pathOf(sgmap::factsFileOf(name)), ec);
}

}  // namespace

int runPostProcessor(const std::vector<std::string>& words, std::ostream& errors) {
  std::string error;
  auto args = parsePostArguments(words, error);
  if (!args) return failed(words, "", error, errors);
  // The map is made from the rows as they go to the image, with the facts of the inputs as
  // they are before the output is written (it may replace one of them).
  std::optional<sgmap::ZoomableMapWriter> map;
  sgmap::MapFacts facts;
  if (args->zoomableMap && sgsys::makeFolderFor(args->output, error)) {
    int width = 0, height = 0;
    canvasSize(*args, width, height);
    facts = outputFacts(*args, width, height);
    const MapGeometry out(width, height, args->steps);
    map.emplace();
    if (!map->open(args->output, out.outWidth(), out.outHeight(), error)) map.reset();
  }
  const RowSink toMap = [&](const uint8_t* row, std::string& e) { return map->row(row, e); };
  if ((args->zoomableMap && !map) || !sgsys::makeFolderFor(args->output, error) ||
      !mergeRowByRow(*args, error, map ? toMap : RowSink())) {
    // A failed job leaves none of its layer images behind: only the player's files stay.
    if (args->deleteInputs)
      for (const auto& name : args->inputs) {
        if (sgbatch::isJobLayer(name)) removeInput(name);
      }
    return failed(words, args->output, error, errors);
  }
  // The map of the image as written; a map that cannot be made fails the step, but the image
  // stands and the inputs go as they would.
  std::string mapError;
  const bool mapped = !map || map->finish(facts, mapError);
  if (args->deleteInputs) {
    for (const auto& name : args->inputs) {
      std::error_code ec;
      // An input that is also the output now holds the result and must stay.
      if (std::filesystem::equivalent(name, args->output, ec)) continue;
      removeInput(name);
    }
  }
  if (!mapped) return failed(words, args->output, mapError, errors);
  return 0;
}

}  // namespace sgpost
