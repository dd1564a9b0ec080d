#include "renderer/map_drawing.h"

#include <algorithm>

#include "system/atomic_file.h"
#include "system/tool_system.h"

namespace sgrender {

void Progress::set(int percent) {
  if (!file_ || percent == last_) return;
  last_ = percent;
  sgsys::writeFileAtomically(*file_, std::to_string(percent) + "\r\n");
}

MapDrawing::MapDrawing(const DrawingOptions& options, ChunkPipeline& pipeline, Painter& painter, const BlockLook& look,
                       Progress& progress, std::ostream& errors, std::ostream& reports)
    : options_(options), pipeline_(pipeline), painter_(painter), look_(look), progress_(progress), errors_(errors),
      reports_(reports) {
  summary_.unfinished = options.leftOut;
}

int MapDrawing::percentDone() const {
  const size_t span = static_cast<size_t>(options_.progressTo - options_.progressFrom);
  return options_.progressFrom + static_cast<int>(std::min(done_, options_.total) * span / std::max<size_t>(options_.total, 1));
}

void MapDrawing::draw(const std::vector<const ChunkGroup*>& groups, MapCanvas& canvas) {
  for (const ChunkGroup* g : groups) {
    if (g->chunks.empty()) continue;
    if (tiles_ && tiles_->paste(*g, canvas, summary_)) {
      if (options_.verbosity >= 2)
        reports_ << "renderer: region " << g->regionX << "," << g->regionZ << " from the cache\n";
      done_ += g->chunks.size();
      progress_.set(percentDone());
      pipeline_.run(*g, tiles_->bordersToShow(*g), [&](const ChunkPlace&, DecodedChunk& d) {
        if (d.verdict == ChunkVerdict::Decoded) painter_.prime(d.chunk);
      });
      continue;
    }
    if (options_.verbosity >= 2)
      reports_ << "renderer: region " << g->regionX << "," << g->regionZ << " (" << g->chunks.size() << " chunks)\n";
    const RenderSummary before = summary_;
    pipeline_.run(*g, g->chunks, [&](const ChunkPlace& place, DecodedChunk& d) { take(*g, place, d, canvas); },
                  [&](DecodedChunk& d) { d.prep = painter_.prepare(d.chunk); });
    if (tiles_ || afterRegion_) {
      RenderSummary added;
      added.drawn = summary_.drawn - before.drawn;
      added.unfinished = summary_.unfinished - before.unfinished;
      added.skipped = summary_.skipped - before.skipped;
      added.unknownNames = summary_.unknownNames - before.unknownNames;
      added.withoutLight = summary_.withoutLight - before.withoutLight;
      if (tiles_) tiles_->keep(*g, canvas, added);
      if (afterRegion_) afterRegion_(*g, added);
    }
  }
}

void MapDrawing::addTaken(const RenderSummary& counts, size_t chunks) {
  summary_.drawn += counts.drawn;
  summary_.unfinished += counts.unfinished;
  summary_.unknownNames += counts.unknownNames;
  summary_.withoutLight += counts.withoutLight;
  done_ += chunks;
  progress_.set(percentDone());
}

void MapDrawing::prime(const std::vector<const ChunkGroup*>& groups, const std::function<bool(const ChunkPlace&)>& only) {
  for (const ChunkGroup* g : groups) {
    std::vector<ChunkPlace> picked;
    for (const ChunkPlace& p : g->chunks)
      if (only(p)) picked.push_back(p);
    pipeline_.run(*g, picked, [&](const ChunkPlace&, DecodedChunk& d) {
      if (d.verdict == ChunkVerdict::Decoded) painter_.prime(d.chunk);
    });
  }
}

void MapDrawing::take(const ChunkGroup& g, const ChunkPlace& place, DecodedChunk& d, MapCanvas& canvas) {
  const std::string file = sgsys::nameOf(g.regionFile.empty() ? place.alphaFile.filename() : g.regionFile.filename());
  const std::string where = "chunk " + std::to_string(place.x) + "," + std::to_string(place.z) + " in " + file;
  if (d.verdict != ChunkVerdict::Decoded) painter_.absent(place.x, place.z, canvas);
  if (d.verdict == ChunkVerdict::Damaged) {
    summary_.skip(where + ": " + d.error, errors_, options_.verbosity);
  } else if (d.verdict == ChunkVerdict::Unfinished) {
    ++summary_.unfinished;
    if (options_.verbosity >= 3) reports_ << "renderer: left out unfinished " << where << "\n";
  } else {
    if (options_.verbosity >= 3) reports_ << "renderer: " << where << "\n";
    const Chunk& chunk = d.chunk;
    summary_.unknownNames += static_cast<size_t>(chunk.unknownNames);
    summary_.unknown(chunk.unknownNameList);
    if (!chunk.hasLight && chunk.height > 0) ++summary_.withoutLight;
    painter_.paintPrepared(chunk, d.prep.get(), canvas);
    if (options_.listAllBlocks) census_.count(chunk, look_);
    ++summary_.drawn;
  }
  ++done_;
  progress_.set(percentDone());
}

}  // namespace sgrender
