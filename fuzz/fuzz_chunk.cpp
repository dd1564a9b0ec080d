// A chunk's tags of any storage era: decoded into the chunk model and drawn by the painters
// (from above and isometric, with the options that change what they read).
#include <string>

#include "renderer/formats/decode_chunk.h"
#include "renderer/image/map_canvas.h"
#include "renderer/request_parts.h"
#include "renderer/styles/painter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const uint8_t options = data[0];
  sgrender::NbtTag root;
  sgrender::Chunk chunk;
  std::string error;
  if (!sgrender::parseNbt(data + 1, size - 1, root, error, &sgrender::unreadChunkFields())) return 0;
  if (sgrender::decodeChunk(root, chunk, error) != sgrender::ChunkVerdict::Decoded) return 0;
  chunk.chunkX = chunk.chunkZ = 0;
  sgrender::RenderRequest request;
  request.style = (options & 1) ? sgrender::Style::Isometric : (options & 2) ? sgrender::Style::ObliqueAngled : sgrender::Style::Normal;
  request.orientation = static_cast<sgrender::Orientation>((options >> 2) & 3);
  request.cave = options & 16;
  request.nether = options & 32;
  request.upsideDown = options & 64;
  request.time = (options & 128) ? sgrender::TimeOfDay::Night : sgrender::TimeOfDay::Day;
  sgrender::BlockLook look(sgrender::lookOptions(request));
  sgrender::MapFrame frame;
  frame.view.up = request.orientation;
  frame.extent = sgrender::viewExtent(frame.view, 0, 0, 0, 0);
  auto painter = sgrender::makePainter(sgrender::paintOptions(request), look, frame);
  sgrender::MapCanvas canvas(painter->width(), painter->height(), painter->needsDepth());
  painter->paint(chunk, canvas);
  painter->finish(canvas);
  return 0;
}
