#include "renderer/renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "batch/job_failures.h"
#include "imaging/png_file.h"
#include "renderer/cache/finished_images.h"
#include "renderer/cache/region_tiles.h"
#include "renderer/chunk_pipeline.h"
#include "renderer/map_drawing.h"
#include "renderer/map_output.h"
#include "renderer/map_plan.h"
#include "renderer/newer_blocks_list.h"
#include "renderer/request_parts.h"
#include "renderer/side_files.h"
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
  return localPath(saves + *r.folder);
}

namespace {

// The map's size, drawn and finished, checked before anything is drawn, whichever way it is
// written; the reason when it is too large. A map held whole is limited by the pixels it holds.
std::optional<std::string> tooLarge(long long width, long long height, const RenderRequest& req, bool whole) {
  if (whole && width * height > sgimage::kMaxPixels)
    return "the map would be " + std::to_string(width) + " x " + std::to_string(height) +
           " pixels, too large; choose a chunk range";
  long long outWidth = std::max(1LL, std::llround(width * req.zoom)), outHeight = std::max(1LL, std::llround(height * req.zoom));
  if (req.rotate) std::swap(outWidth, outHeight);
  const std::string size = std::to_string(outWidth) + " x " + std::to_string(outHeight) + " pixels";
  if (whole && req.zoom != 1.0 && static_cast<double>(outWidth) * outHeight > static_cast<double>(sgimage::kMaxPixels))
    return "the map zoomed " + (std::ostringstream() << req.zoom).str() + " times would be " + size +
           ", too large; choose a smaller zoom or a chunk range";
  if (outWidth > sgimage::kMaxSide || outHeight > sgimage::kMaxSide)
    return "the map would be " + size + ", more than a PNG image holds (" + std::to_string(sgimage::kMaxSide) +
           " pixels a side); choose a chunk range";
  return std::nullopt;
}

// How the map is written: a band at a time with lowramwrite, or when the whole of it would not
// fit in half the machine's memory or is larger than a map held whole may be; only a map turned
// on its side must be held whole.
struct Output {
  bool banded = false, wholeTooLarge = false;
  long long wholeMegabytes = 0;
};

Output chooseOutput(long long width, long long height, const RenderRequest& req, bool depth) {
  Output o;
  const long long bytes = width * height * (depth ? 8 : 4);
  o.wholeMegabytes = bytes >> 20;
  o.wholeTooLarge = bytes > sgsys::physicalMemory() / 2 || width * height > sgimage::kMaxPixels ||
                    (req.zoom > 1 && width * req.zoom * height * req.zoom > static_cast<double>(sgimage::kMaxPixels));
  o.banded = (req.lowRamWrite || o.wholeTooLarge) && !req.rotate;
  return o;
}

void sayOutput(const Output& o, const RenderRequest& req, std::ostream& errors) {
  if (!o.banded && o.wholeTooLarge)
    errors << "renderer: note: the whole map is held in memory (" << o.wholeMegabytes << " MB), since rotate needs it whole\n";
  if (o.banded && o.wholeTooLarge && !req.lowRamWrite)
    errors << "renderer: note: the map would not fit in half the memory; it is written band by band\n";
}

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

// The rows of a projected band: SG_BAND_ROWS where set (the tests draw narrow bands), else 0,
// for the band's own budget.
int bandRowsAsked() {
  const char* rows = std::getenv("SG_BAND_ROWS");
  return rows ? std::max(0, std::atoi(rows)) : 0;
}

// The side of a projected map's tiles in the render cache: SG_TILE_SIDE where set (the tests
// draw small tiles), else the cache's own.
int tileSideAsked() {
  const char* side = std::getenv("SG_TILE_SIDE");
  const int asked = side ? std::atoi(side) : 0;
  return asked >= 16 ? asked : ProjectedTiles::kTileSide;
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

  MapPlan plan;
  if (!planMap(req, sgsys::pathOf(worldFolder(req)), plan, errors, error)) return failed(req, error, errors);
  const std::string file = req.outFile ? *req.outFile : (req.mapName.empty() ? "map" : req.mapName) + ".png";
  if (replacesWorldFile(file, plan.world))
    return failed(req, "the image " + file + " would replace a file of the world being drawn; choose another name",
                  errors);
  // Block light is read only where the picture shows it.
  const bool lightMatters = req.style == Style::Lightmap || (req.time != TimeOfDay::Day && !req.forceBrightness);
  // The render cache: the same world with the same options gives the image it gave before (keyed
  // by every stored chunk); the map from above is drawn region by region through it.
  const std::optional<RenderCache> cache = renderCache(req);
  const CacheKey drawKey = drawingKey(req, plan), finishedKey = imageKey(drawKey, req, plan);
  RenderSummary cached;
  // A world whose chunks do not tell when they were saved cannot tell a changed map either.
  const bool stampsKnown = std::all_of(plan.chunks.groups.begin(), plan.chunks.groups.end(), [](const ChunkGroup& g) {
    return std::all_of(g.chunks.begin(), g.chunks.end(), [](const ChunkPlace& c) { return c.saveStamp != 0; });
  });
  if (ChunkRectangle drawnBefore;
      cache && stampsKnown && takeFinishedImage(*cache, finishedKey, file, cached, drawnBefore)) {
    if (req.verbosity >= 1) reports << "renderer: the map is the one drawn before, taken from the cache\n";
    cached.print(errors, lightMatters);
    Progress progress(req.progressFile);
    return finishRender(req, drawnBefore, progress, errors);
  }
  // The projected styles' canvas spans the chunks that will be drawn.
  if (isProjected(req.style)) leaveOutUnfinished(req, plan, req.threads, cache ? &*cache : nullptr);
  const BlockLook look(lookOptions(req));
  const std::unique_ptr<Painter> painter = makePainter(paintOptions(req), look, plan.frame);
  const long long width = painter->width(), height = painter->height();
  const Output output = chooseOutput(width, height, req, painter->needsDepth());
  if (auto reason = tooLarge(width, height, req, !output.banded)) return failed(req, *reason, errors);
  if (req.cake && !painter->needsDepth())
    errors << "renderer: note: cake mode shows in the oblique and isometric styles; the map from above is unchanged\n";
  if (req.verbosity >= 1)
    reports << "renderer: drawing " << plan.total << " chunks of " << plan.chunks.groups.size() << " "
            << layoutName(plan.chunks.layout) << ", chunks " << plan.minX << ".." << plan.maxX << " x " << plan.minZ
            << ".." << plan.maxZ << ", " << styleWord(req.style) << "\n";
  const MapImage image{file, static_cast<int>(width), static_cast<int>(height), finishing(req),
                       req.threads > 0 ? req.threads : usableCores()};

  Progress progress(req.progressFile);
  progress.set(0);
  ChunkPipeline pipeline(req.threads, lightMatters);
  // A map drawn in projected bands makes a census pass first: it moves the first third.
  const bool census = output.banded && painter->drawsInBands();
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
  std::optional<RegionTiles> tiles;
  if (cache && !painter->needsDepth()) drawing.useTiles(&tiles.emplace(*cache, plan, drawKey, image.width, image.height));
  std::ostream unheard(nullptr);  // the bands' own passes: what they meet was said in the census
  const BandDrawing bandDrawing = [&](size_t chunks, int from, int to) {
    return std::make_unique<MapDrawing>(DrawingOptions{.total = chunks, .progressFrom = from, .progressTo = to},
                                        pipeline, *painter, look, progress, unheard, unheard);
  };
  const std::optional<ProjectedTiles> projectedTiles =
      cache && painter->drawsInBands() && !output.banded ? std::optional(ProjectedTiles(*cache, drawKey, tileSideAsked())) : std::nullopt;
  TilesTaken taken;
  const bool written =
      projectedTiles ? writeProjectedThroughCache(plan, image, drawing, *painter, bandDrawing, *projectedTiles, drawn,
                                                  req.threads, taken, error)
      : !output.banded ? writeWholeMap(plan, image, drawing, *painter, drawn, error)
      : painter->drawsInBands()
          ? writeProjectedBands(plan, image, drawing, *painter, bandDrawing, bandRowsAsked(), drawn, error)
          : writeBandedMap(plan, image, drawing, drawn, error);
  if (!written) return failed(req, error, errors);
  if (tiles && req.verbosity >= 1)
    reports << "renderer: " << tiles->pasted() << " of " << plan.chunks.groups.size() << " regions taken from the cache\n";
  if (projectedTiles && req.verbosity >= 1)
    reports << "renderer: " << taken.regions << " of " << plan.chunks.groups.size() << " regions and " << taken.tiles
            << " of " << taken.allTiles << " tiles taken from the cache\n";
  if (req.listAllBlocks && !writeBlockList(req.mapName, drawing.census(), error)) return failed(req, error, errors);
  const ChunkRectangle drawnRange{plan.minX, plan.maxX, plan.minZ, plan.maxZ, false};
  if (cache) {
    if (stampsKnown) keepFinishedImage(*cache, finishedKey, image.file, drawing.summary(), drawnRange);
    cache->trim();
  }
  return finishRender(req, drawnRange, progress, errors);
}

}  // namespace sgrender
