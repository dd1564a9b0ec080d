#include "renderer/renderer.h"

#include <algorithm>
#include <cmath>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <unordered_set>
#include <sstream>

#include "batch/job_failures.h"
#include "imaging/image_operations.h"
#include "imaging/png_file.h"
#include "renderer/formats/decode_chunk.h"
#include "renderer/memory_budget.h"
#include "renderer/newer_blocks_list.h"
#include "renderer/render_summary.h"
#include "renderer/request_parts.h"
#include "renderer/block_census.h"
#include "renderer/image/map_canvas.h"
#include "renderer/image/banded_map.h"
#include "renderer/image/map_finishing.h"
#include "renderer/styles/painter.h"
#include "renderer/world/region_file.h"
#include "renderer/work_pool.h"
#include "renderer/world/level_file.h"
#include "renderer/world/world_layout.h"
#include "system/atomic_file.h"
#include "system/temporary_files.h"
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

// The memory chunks in flight may take, whatever the number of threads: the tags being read,
// and the decoded chunks of a batch waiting to be drawn (a world's tallest chunk, 4,096 levels,
// takes 4 MB decoded).
constexpr size_t kReadingBudget = size_t(128) << 20, kDecodedBudget = size_t(128) << 20;
constexpr size_t kLargestChunkModel = size_t(4096) * 256 * 4;

long long chunkKey(int x, int z) { return (static_cast<long long>(x) << 32) ^ static_cast<uint32_t>(z); }

class Progress {
 public:
  explicit Progress(const std::optional<std::string>& file) : file_(file) {}
  void set(int percent) {
    if (!file_ || percent == last_) return;
    last_ = percent;
    sgsys::writeFileAtomically(*file_, std::to_string(percent) + "\r\n");
  }

 private:
  std::optional<std::string> file_;
  int last_ = -1;
};

struct DecodedChunk {
  ChunkVerdict verdict = ChunkVerdict::Damaged;
  Chunk chunk;
  std::string error;
};

// Says why a render failed: on standard error, and as the job's failure line where the render
// belongs to a job.
int failed(const RenderRequest& req, const std::string& reason, std::ostream& errors) {
  errors << "renderer: " << reason << "\n";
  if (req.progressFile)
    if (auto log = sgbatch::jobOutputLog(*req.progressFile))
      sgbatch::appendJobFailure(*log, "render of " + (req.mapName.empty() ? std::string("map") : req.mapName), reason);
  return 1;
}

}  // namespace

// Whether writing the image would replace a file inside the world folder (a region file, the
// level file, its icon): the player would lose part of the world.
static bool replacesWorldFile(const std::string& image, const fs::path& world) {
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

  const fs::path world = sgsys::pathOf(worldFolder(req));
  const std::string named = "world '" + sgsys::nameOf(world) + "'";
  auto folder = dimensionFolder(world, worldQuery(req), error);
  if (!folder) return failed(req, "nothing drawn of " + named + ": " + error, errors);
  WorldChunks chunks;
  if (!listWorldChunks(*folder, worldQuery(req), chunks, error))
    return failed(req, "nothing drawn of " + named + ": " + error, errors);
  for (const auto& p : chunks.problems) errors << "renderer: skipped " << p << "\n";

  // The extent of the map.
  int minX = INT_MAX, maxX = INT_MIN, minZ = INT_MAX, maxZ = INT_MIN;
  size_t total = 0;
  for (const auto& g : chunks.groups)
    for (const auto& c : g.chunks) {
      minX = std::min(minX, c.x);
      maxX = std::max(maxX, c.x);
      minZ = std::min(minZ, c.z);
      maxZ = std::max(maxZ, c.z);
      ++total;
    }
  if (req.rectangle && req.rectangle->keepWhitespace) {
    minX = req.rectangle->minX;
    maxX = req.rectangle->maxX;
    minZ = req.rectangle->minZ;
    maxZ = req.rectangle->maxZ;
  }
  if (minX > maxX) {
    std::string why = req.rectangle ? "no chunk lies in the chosen range" : "its region files hold no chunks";
    if (!chunks.problems.empty()) why = "no region file could be read; the first: " + chunks.problems.front();
    return failed(req, "nothing drawn of " + named + " (" + layoutName(chunks.layout) + "): " + why, errors);
  }
  // The frame of the map in the view, and the painter of the style.
  MapFrame frame;
  frame.view.up = req.orientation;
  frame.extent = viewExtent(frame.view, minX, maxX, minZ, maxZ);
  if (req.nether) frame.lowestY = 0, frame.highestY = 127;
  frame.seaLevel = req.nether ? 32 : seaLevelOf(world, chunks.layout);  // the Nether's sea is of lava
  std::unordered_set<long long> storedChunks;
  for (const auto& g : chunks.groups)
    for (const auto& c : g.chunks) storedChunks.insert(chunkKey(c.x, c.z));
  frame.stored = [&storedChunks](int x, int z) { return storedChunks.count(chunkKey(x, z)) > 0; };
  const BlockLook look(lookOptions(req));
  const std::unique_ptr<Painter> painter = makePainter(paintOptions(req), look, frame);
  const long long width = painter->width(), height = painter->height();
  if (width * height > sgimage::kMaxPixels)
    return failed(req, "the map would be " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels, too large; choose a chunk range", errors);
  // The finished image, zoomed and turned, is checked before anything is drawn, whichever way it
  // is written.
  {
    long long outWidth = std::max(1LL, std::llround(width * req.zoom)), outHeight = std::max(1LL, std::llround(height * req.zoom));
    if (req.rotate) std::swap(outWidth, outHeight);
    const std::string size = std::to_string(outWidth) + " x " + std::to_string(outHeight) + " pixels";
    if (req.zoom != 1.0 && static_cast<double>(outWidth) * outHeight > static_cast<double>(sgimage::kMaxPixels))
      return failed(req, "the map zoomed " + (std::ostringstream() << req.zoom).str() + " times would be " + size +
                             ", too large; choose a smaller zoom or a chunk range", errors);
    if (outWidth > sgimage::kMaxSide || outHeight > sgimage::kMaxSide)
      return failed(req, "the map would be " + size + ", more than a PNG image holds (" +
                             std::to_string(sgimage::kMaxSide) + " pixels a side); choose a chunk range", errors);
  }
  if (req.cake && painter->needsDepth() == false)
    errors << "renderer: note: cake mode shows in the oblique and isometric styles; the map from above is unchanged\n";
  if (req.verbosity >= 1)
    reports << "renderer: drawing " << total << " chunks of " << chunks.groups.size() << " "
           << layoutName(chunks.layout) << ", chunks " << minX << ".." << maxX << " x " << minZ << ".."
           << maxZ << ", " << styleWord(req.style) << "\n";

  // Far chunks first, so that see-through blocks are laid over what lies behind them.
  auto nearness = [&](int x, int z) {
    auto [u, v] = frame.view.toView(x, z);
    return u + v;
  };
  std::sort(chunks.groups.begin(), chunks.groups.end(), [&](const ChunkGroup& a, const ChunkGroup& b) {
    return nearness(a.regionX, a.regionZ) < nearness(b.regionX, b.regionZ);
  });
  for (auto& g : chunks.groups)
    std::stable_sort(g.chunks.begin(), g.chunks.end(),
                     [&](const ChunkPlace& a, const ChunkPlace& b) { return nearness(a.x, a.z) < nearness(b.x, b.z); });

  Progress progress(req.progressFile);
  progress.set(0);
  // Block light is read only where the picture shows it.
  const bool lightMatters = req.style == Style::Lightmap || (req.time != TimeOfDay::Day && !req.forceBrightness);
  BlockCensus census;
  RenderSummary summary;
  size_t done = 0;
  WorkPool pool(req.threads);
  MemoryBudget reading(kReadingBudget);
  // Draws the chunks of the groups into the canvas; with `only`, decodes just the chunks it
  // picks and shows them to the painter for the chunks beside them, without drawing them.
  using ChunkFilter = std::function<bool(const ChunkPlace&)>;
  auto drawGroups = [&](const std::vector<const ChunkGroup*>& groups, MapCanvas& canvas,
                        const ChunkFilter* only = nullptr) {
    for (const ChunkGroup* gp : groups) {
      const ChunkGroup& g = *gp;
      if (g.chunks.empty()) continue;
      RegionFile region;
      std::string regionError;
      bool regionOpen = g.regionFile.empty() || region.open(sgsys::nameOf(g.regionFile), regionError);
      std::string fileName = g.regionFile.empty() ? std::string("its own file") : sgsys::nameOf(g.regionFile.filename());
      if (req.verbosity >= 2)
        reports << "renderer: region " << g.regionX << "," << g.regionZ << " (" << g.chunks.size() << " chunks)\n";
      // Chunks are decoded in batches on every thread, and drawn in their order by this one.
      // A batch's decoded chunks wait to be drawn; at most as many as the budget for them holds
      // of the tallest chunk any world has.
      const size_t batch = std::clamp<size_t>(kDecodedBudget / kLargestChunkModel, 1, static_cast<size_t>(pool.threads()) * 8);
      std::vector<DecodedChunk> decoded(batch);
      std::vector<ChunkPlace> picked;
      if (only)
        for (const ChunkPlace& p : g.chunks)
          if ((*only)(p)) picked.push_back(p);
      const std::vector<ChunkPlace>& places = only ? picked : g.chunks;
      for (size_t first = 0; first < places.size(); first += batch) {
        const size_t n = std::min(batch, places.size() - first);
        pool.run(n, [&](size_t i) {
          DecodedChunk& d = decoded[i];
          d = DecodedChunk{};
          if (!regionOpen) {
            d.error = "its region file cannot be read: " + regionError;
            return;
          }
          thread_local std::vector<uint8_t> data;
          if (!readChunkBytes(g, places[first + i], g.regionFile.empty() ? nullptr : &region, data, d.error)) return;
          if (unfinishedAtAGlance(data.data(), data.size())) {
            d.verdict = ChunkVerdict::Unfinished;
            return;
          }
          // The tags are measured before they are read, and read once what they take fits in
          // the budget beside the other threads' chunks.
          const NbtSkip& skip = unreadChunkFields(lightMatters);
          size_t need = 0;
          if (measureNbt(data.data(), data.size(), need, d.error, &skip)) {
            BudgetHold hold(reading, need + data.size());
            NbtTag root;
            if (parseNbt(data.data(), data.size(), root, d.error, &skip)) d.verdict = decodeChunk(root, d.chunk, d.error);
          }
          if (data.capacity() > (size_t(512) << 10)) std::vector<uint8_t>().swap(data);  // a rare large chunk's room goes
        });
        for (size_t i = 0; i < n; ++i) {
          const ChunkPlace& place = places[first + i];
          DecodedChunk& d = decoded[i];
          if (only) {
            if (d.verdict == ChunkVerdict::Decoded) {
              d.chunk.chunkX = place.x;
              d.chunk.chunkZ = place.z;
              painter->prime(d.chunk);
            }
            continue;
          }
          std::string where = "chunk " + std::to_string(place.x) + "," + std::to_string(place.z) + " in " +
                              (g.regionFile.empty() ? sgsys::nameOf(place.alphaFile.filename()) : fileName);
          if (d.verdict != ChunkVerdict::Decoded) painter->absent(place.x, place.z, canvas);
          if (d.verdict == ChunkVerdict::Damaged) {
            summary.skip(where + ": " + d.error, errors, req.verbosity);
          } else if (d.verdict == ChunkVerdict::Unfinished) {
            ++summary.unfinished;
            if (req.verbosity >= 3) reports << "renderer: left out unfinished " << where << "\n";
          } else {
            if (req.verbosity >= 3) reports << "renderer: " << where << "\n";
            Chunk& chunk = d.chunk;
            chunk.chunkX = place.x;  // the place in the world's files decides, whatever the chunk says
            chunk.chunkZ = place.z;
            summary.unknownNames += static_cast<size_t>(chunk.unknownNames);
            if (!chunk.hasLight && chunk.height > 0) ++summary.withoutLight;
            painter->paint(chunk, canvas);
            if (req.listAllBlocks) census.count(chunk, look);
            ++summary.drawn;
          }
          ++done;
          progress.set(static_cast<int>(done * 99 / std::max<size_t>(total, 1)));
        }
      }
    }
  };
  auto nothingDrawn = [&] {
    std::string why = summary.skipped ? "all " + std::to_string(summary.skipped) + " chunks are unreadable; the first: " +
                                            summary.firstSkip
                      : summary.unfinished == 0 ? std::string("the chosen range holds no chunks")
                                                : "the game had not finished generating any of its " +
                                                      std::to_string(summary.unfinished) + " chunks";
    return failed(req, "nothing drawn of " + named + " (" + layoutName(chunks.layout) + "): " + why, errors);
  };
  const std::string out = req.outFile ? *req.outFile : (req.mapName.empty() ? "map" : req.mapName) + ".png";
  if (replacesWorldFile(out, world))
    return failed(req, "the image " + out + " would replace a file of the world being drawn; choose another name",
                  errors);

  // The map from above can be drawn and written a band of regions at a time: with lowramwrite,
  // or when the whole image would not fit in half the machine's memory.
  const bool tooLarge = width * height * 4 > sgsys::physicalMemory() / 2;
  const bool banded = !painter->needsDepth() && (req.lowRamWrite || tooLarge) && !req.rotate;
  if (!banded && tooLarge)
    errors << "renderer: note: the whole map is held in memory (" << (width * height * 4 >> 20)
           << " MB), since " << (req.rotate ? "rotate" : "this style") << " needs it whole\n";
  if (banded) {
    if (tooLarge && !req.lowRamWrite)
      errors << "renderer: note: the map would not fit in half the memory; it is written band by band\n";
    BandedMap bands(frame.view, frame.extent, finishing(req), static_cast<int>(width), static_cast<int>(height));
    if (!bands.open(out, error)) return failed(req, "cannot write the image " + out + ": " + error, errors);
    const std::vector<MapBand> plan = bands.plan(chunks.groups);
    for (size_t b = 0; b < plan.size(); ++b) {
      const MapBand& band = plan[b];
      if (req.flip && b + 1 < plan.size()) {
        // Bottom first: the band above comes later, but the chunks along its lower edge are
        // what this band's top row is shaded and blended with. They are shown to the painter now.
        auto viewRow = [&](const ChunkPlace& p) {
          int v = INT_MAX;
          for (int dx : {0, 15})
            for (int dz : {0, 15}) v = std::min(v, frame.view.toView(p.x * 16 + dx, p.z * 16 + dz).second);
          return v >> 4;
        };
        int lowest = INT_MIN;
        for (const ChunkGroup* g : plan[b + 1].groups)
          for (const ChunkPlace& p : g->chunks) lowest = std::max(lowest, viewRow(p));
        const ChunkFilter alongEdge = [&](const ChunkPlace& p) { return viewRow(p) == lowest; };
        MapCanvas none(1, 1, false);
        drawGroups(plan[b + 1].groups, none, &alongEdge);
      }
      MapCanvas canvas(static_cast<int>(width), band.rows, false);
      canvas.setOrigin(band.firstRow);
      drawGroups(band.groups, canvas);
      if (!bands.write(canvas, band, error)) return failed(req, "cannot write the image " + out + ": " + error, errors);
    }
    summary.print(errors, lightMatters);
    if (summary.drawn == 0) return nothingDrawn();
    if (!bands.finish(error)) return failed(req, "cannot write the image " + out + ": " + error, errors);
  } else {
    MapCanvas canvas(static_cast<int>(width), static_cast<int>(height), painter->needsDepth());
    std::vector<const ChunkGroup*> all;
    for (const auto& g : chunks.groups) all.push_back(&g);
    drawGroups(all, canvas);
    painter->finish(canvas);
    summary.print(errors, lightMatters);
    if (summary.drawn == 0) return nothingDrawn();
    sgimage::RgbaImage image = std::move(canvas.image());
    if (!finishMap(image, finishing(req), error)) return failed(req, error, errors);
    if (!sgimage::writePngAtomically(out, image, error))
      return failed(req, "cannot write the image " + out + ": " + error, errors);
  }
  if (req.listAllBlocks) {
    std::string name = (req.mapName.empty() ? std::string("map") : req.mapName) + "Blocks.txt";
    if (!sgsys::writeFileAtomically(name, census.text())) return failed(req, "cannot write the block list " + name, errors);
  }
  if (req.makeOffsetFile) {
    std::string name = req.mapName + "Offset.txt";
    std::string content = "MinX: " + std::to_string(minX) + "\r\nMaxX: " + std::to_string(maxX) +
                          "\r\nMinZ: " + std::to_string(minZ) + "\r\nMaxZ: " + std::to_string(maxZ) + "\r\n";
    if (!sgsys::writeFileAtomically(name, content)) return failed(req, "cannot write the offset file " + name, errors);
  }
  installNewerBlocksList(".");
  progress.set(100);
  return 0;
}

}  // namespace sgrender
