#include "renderer/renderer.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "batch/job_failures.h"
#include "renderer/cache/cached_strips.h"
#include "renderer/cache/finished_images.h"
#include "renderer/region_tiles.h"
#include "renderer/world/bedrock/bedrock_world.h"
#include "renderer/chunk_pipeline.h"
#include "renderer/map_drawing.h"
#include "renderer/map_output.h"
#include "renderer/map_plan.h"
#include "renderer/map_sink.h"
#include "renderer/newer_blocks_list.h"
#include "renderer/request_parts.h"
#include "renderer/side_files.h"
#include "renderer/work_pool.h"
#include "renderer/zoom_facts.h"
#include "renderer/world/chunk_fingerprints.h"
#include "system/atomic_file.h"
#include "system/tool_system.h"

namespace fs = std::filesystem;

namespace sgrender {

namespace {

std::string withSlashes(std::string p) {
  std::replace(p.begin(), p.end(), '\\', '/');
  return p;
}

std::string localPath(const std::string& p) {
  std::error_code ec;
  if (fs::exists(p, ec)) return p;
  return withSlashes(p);
}

// Says why a render failed: on standard error, and as the job's failure line where the render
// belongs to a job.
int failed(const RenderRequest& req, const std::string& reason, std::ostream& errors) {
  errors << "renderer: " << reason << "\n";
  if (req.progressFile)
    if (auto log = sgbatch::jobOutputLog(*req.progressFile))
      sgbatch::appendJobFailure(*log, "render of " + (req.mapName.empty() ? std::string("map") : req.mapName), reason);
  return 1;
}

// Whether writing the image would replace a file inside the world folder (a region file, the
// level file, its icon): the player would lose part of the world.
bool replacesWorldFile(const std::string& image, const fs::path& world) {
  std::error_code ec;
  const fs::path target = fs::weakly_canonical(sgsys::pathOf(image), ec);
  if (ec || !fs::exists(target, ec)) return false;  // a new file harms nothing
  const fs::path root = fs::weakly_canonical(world, ec);
  if (ec) return false;
  auto t = target.begin();
  for (auto r = root.begin(); r != root.end(); ++r, ++t)
    if (t == target.end() || *t != *r) return false;
  return true;
}

}  // namespace

std::string worldFolder(const RenderRequest& r) {
  if (r.custom) return localPath(*r.custom);
  std::string saves;
  if (r.environment) {
    saves = *r.environment;
  } else if (const char* appdata = std::getenv("APPDATA"); appdata && *appdata) {
    saves = std::string(appdata) + "\\.minecraft\\saves\\";
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    saves = std::string(home) + "/.minecraft/saves/";
  }
  if (!saves.empty() && saves.back() != '/' && saves.back() != '\\') saves += '/';
  const std::string folder = localPath(saves + *r.folder);
  // A Bedrock world is listed by its own name, not its folder's.
  std::error_code ec;
  if (!std::filesystem::is_directory(sgsys::pathOf(folder), ec))
    if (auto bedrock = findListedBedrockWorld(sgsys::pathOf(localPath(saves)), *r.folder)) return sgsys::nameOf(*bedrock);
  return folder;
}

namespace {

// The user's render cache, unless the render does without it (a block list reads every chunk).
std::optional<RenderCache> renderCache(const RenderRequest& req) {
  if (req.noCache || req.listAllBlocks) return std::nullopt;
  auto folder = RenderCache::userFolder();
  if (!folder) return std::nullopt;
  return RenderCache(*folder);
}

// After the image: the offset file when asked for, the newer blocks' list, the progress at 100.
int finishRender(const RenderRequest& req, const ChunkRectangle& drawn, Progress& progress, std::ostream& errors) {
  std::string error;
  if (req.makeOffsetFile && !writeOffsetFile(req.mapName, drawn, error)) return failed(req, error, errors);
  installNewerBlocksList(".");
  progress.set(100);
  return 0;
}

// Whether every chunk of the map tells when it was saved: a world whose chunks do not cannot
// tell a changed map either.
bool savingTimesKnown(const MapPlan& plan) {
  return std::all_of(plan.chunks.groups.begin(), plan.chunks.groups.end(), [](const ChunkGroup& g) {
    return std::all_of(g.chunks.begin(), g.chunks.end(), [](const ChunkPlace& c) { return c.saveStamp != 0; });
  });
}

// The map drawn before with the same options, taken from the cache into `file`: the exit status
// once it is finished, or nothing when the cache does not hold it.
std::optional<int> takeFinished(const RenderCache& cache, const CacheKey& key, const std::string& file,
                                const RenderRequest& req, const MapPlan& plan, bool lightMatters,
                                std::ostream& errors, std::ostream& reports) {
  RenderSummary cached;
  ChunkRectangle drawnBefore;
  if (!takeFinishedImage(cache, key, file, cached, drawnBefore)) return std::nullopt;
  if (req.verbosity >= 1) reports << "renderer: the map is the one drawn before, taken from the cache\n";
  cached.print(errors, lightMatters);
  forgetStaleFacts(req, file);
  std::string error;
  if (req.zoomableMap && !writeZoomableMap(file, mapFactsOf(req, plan, {}), error))
    return failed(req, error, errors);
  Progress progress(req.progressFile);
  return finishRender(req, drawnBefore, progress, errors);
}

// What is about to be drawn, at verbosity 1 and above.
void sayDrawing(const MapPlan& plan, const RenderRequest& req, std::ostream& reports) {
  reports << "renderer: drawing " << plan.total << " chunks of " << plan.chunks.groups.size() << " "
          << layoutName(plan.chunks.layout) << ", chunks " << plan.minX << ".." << plan.maxX << " x " << plan.minZ
          << ".." << plan.maxZ << ", " << styleWord(req.style) << "\n";
}

// Why a render would draw nothing whatever the world holds: a filter that shows only what it
// lists, listing nothing. Said at once, rather than written as a clear image.
std::optional<std::string> drawsNothing(const RenderRequest& r) {
  if (r.onlyBlocks && r.onlyBlocks->empty())
    return std::string("nothing would be drawn: the block filter is \"Show only block(s):\" with no block "
                       "chosen; choose blocks with \"Select...\", or \"Show all blocks\"");
  if (r.onlyLayers && r.onlyLayers->empty())
    return std::string("nothing would be drawn: the layer filter is \"Show only layer(s):\" with no layer "
                       "chosen; choose layers with \"Select...\", or \"Show all layers\"");
  return std::nullopt;
}

// Why nothing was drawn, when every chunk of the map was left out.
std::string nothingDrawn(const RenderSummary& summary) {
  if (summary.skipped)
    return "all " + std::to_string(summary.skipped) + " chunks are unreadable; the first: " + summary.firstSkip;
  if (summary.unfinished == 0) return "the chosen range holds no chunks";
  return "the game had not finished generating any of its " + std::to_string(summary.unfinished) + " chunks";
}

}  // namespace

int runRenderer(const std::vector<std::string>& words, std::ostream& errors, std::ostream* report) {
  std::ostream& reports = report ? *report : errors;
  std::string error;
  auto parsed = parseRenderArguments(words, error);
  if (!parsed) {
    RenderRequest none;
    std::vector<std::string> names = words;
    if (auto log = sgbatch::jobOutputLog(names)) none.progressFile = *log;  // any job file names the job
    return failed(none, error, errors);
  }
  const RenderRequest& req = *parsed;
  for (const auto& w : req.warnings) errors << "renderer: note: " << w << "\n";
  if (auto reason = drawsNothing(req)) return failed(req, *reason, errors);

  MapPlan plan;
  if (!planMap(req, sgsys::pathOf(worldFolder(req)), plan, errors, error)) return failed(req, error, errors);
  // The render cache: the same world with the same options gives the image it gave before (keyed
  // by the bytes of every stored chunk); the map from above is drawn region by region through it.
  // What it keeps is written after the image.
  const std::optional<RenderCache> cache = renderCache(req);
  if (cache) {
    cache->holdBackWrites();
    WorkPool pool(req.threads);
    pool.run(plan.chunks.groups.size(), [&](size_t i) { fingerprintChunks(plan.chunks.groups[i]); });
  }
  const std::string file = req.outFile ? *req.outFile : (req.mapName.empty() ? "map" : req.mapName) + ".png";
  if (!sgsys::makeFolderFor(file, error)) return failed(req, error, errors);
  if (replacesWorldFile(file, plan.world))
    return failed(req, "the image " + file + " would replace a file of the world being drawn; choose another name",
                  errors);
  // Block light is read only where the picture shows it.
  const bool lightMatters = req.style == Style::Lightmap || (req.time != TimeOfDay::Day && !req.forceBrightness);
  const CacheKey drawKey = drawingKey(req, plan), finishedKey = imageKey(drawKey, req, plan);
  const bool stampsKnown = savingTimesKnown(plan);
  // A cropped map taken whole from the cache does not tell where its crop fell, which its
  // zoomable map needs to place blocks: such a map is drawn (from the kept regions) instead.
  const bool cropUntold = req.zoomableMap && req.cropWhitespace && !isProjected(req.style);
  if (cache && stampsKnown && !cropUntold)
    if (auto taken = takeFinished(*cache, finishedKey, file, req, plan, lightMatters, errors, reports)) return *taken;
  // The projected styles' canvas spans the chunks that will be drawn.
  if (isProjected(req.style)) leaveOutUnfinished(req, plan, req.threads, cache ? &*cache : nullptr);
  const BlockLook look(lookOptions(req));
  const std::unique_ptr<Painter> painter = makePainter(paintOptions(req), look, plan.frame);
  const long long width = painter->width(), height = painter->height();
  const Output output = chooseOutput(width, height, req, painter->needsDepth());
  if (auto reason = tooLarge(width, height, req, !output.banded)) return failed(req, *reason, errors);
  if (req.cake && !painter->needsDepth())
    errors << "renderer: note: cake mode shows in the oblique and isometric styles; the map from above is unchanged\n";
  if (req.verbosity >= 1) sayDrawing(plan, req, reports);
  // A map held whole is written in strips, kept in the cache with the rest.
  std::optional<CachedStrips> strips;
  if (cache) strips.emplace(*cache);
  CropBox crop{-1, -1, 0, 0};  // left as it is when the map is not cropped
  const MapImage image{file, static_cast<int>(width), static_cast<int>(height), finishing(req),
                       req.threads > 0 ? req.threads : usableCores(), strips ? &*strips : nullptr, &crop};

  Progress progress(req.progressFile);
  progress.set(0);
  ChunkPipeline pipeline(req.threads, lightMatters);
  if (req.threads > pipeline.threads())
    errors << "renderer: note: only " << pipeline.threads() << " of the " << req.threads
           << " threads asked for could be started; the map is drawn on those\n";
  if (!req.listAllBlocks) pipeline.leaveOutHidden(painter->hiddenBelow());  // a block list counts every block
  // A map drawn in projected bands makes a census pass first: it moves the first third.
  const bool census = output.banded && painter->banded();
  MapDrawing drawing({.verbosity = req.verbosity, .listAllBlocks = req.listAllBlocks, .total = plan.total,
                      .leftOut = plan.leftOut.size(), .progressTo = census ? 33 : 99},
                     pipeline,
                     *painter, look, progress, errors, reports);
  const AfterDrawing drawn = [&] {
    drawing.summary().print(errors, lightMatters);
    if (drawing.summary().drawn > 0) return true;
    error = "nothing drawn of world '" + sgsys::nameOf(plan.world) + "' (" + layoutName(plan.chunks.layout) +
            "): " + nothingDrawn(drawing.summary());
    return false;
  };
  sayOutput(output, req, errors);
  std::ostream unheard(nullptr);  // the bands' own passes: what they meet was said in the census
  const SinkParts sink{.plan = plan, .image = image, .drawing = drawing, .painter = *painter,
                       .partDrawing = [&](size_t chunks, int from, int to) {
                         return std::make_unique<MapDrawing>(
                             DrawingOptions{.total = chunks, .progressFrom = from, .progressTo = to}, pipeline,
                             *painter, look, progress, unheard, unheard);
                       },
                       .cache = cache ? &*cache : nullptr, .drawKey = drawKey, .threads = req.threads,
                       .verbosity = req.verbosity};
  if (!writeMap(sink, output, drawn, reports, error)) return failed(req, error, errors);
  forgetStaleFacts(req, image.file);
  if (req.zoomableMap &&
      !writeZoomableMap(image.file, mapFactsOf(req, plan, {true, crop.left >= 0 ? std::optional(crop) : std::nullopt}), error))
    return failed(req, error, errors);
  if (req.listAllBlocks && !writeBlockList(req.mapName, drawing.census(), error)) return failed(req, error, errors);
  const ChunkRectangle drawnRange{plan.minX, plan.maxX, plan.minZ, plan.maxZ, false};
  if (cache) {
    std::error_code ec;
    cache->keepRoomFor(2 * fs::file_size(sgsys::pathOf(image.file), ec));  // the next image, beside this one
    cache->writeHeldBack();
    if (stampsKnown) keepFinishedImage(*cache, finishedKey, image.file, drawing.summary(), drawnRange);
    cache->trim();
  }
  return finishRender(req, drawnRange, progress, errors);
}

}  // namespace sgrender
