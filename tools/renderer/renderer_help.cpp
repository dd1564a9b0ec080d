// The renderer's words as --help lists them.
#include "renderer/renderer.h"

namespace sgrender {

const char* rendererHelp() {
  return R"(usage: strandvale_g_renderer.exe WORLD [NAME] [STYLE] [ORIENTATION] [OPTIONS...] [TAIL...]
World:
  folder "F"            a world folder of the save folder
  world N               the save folder's WorldN
  custom "PATH"         a world anywhere
  name "NAME"           the map's name (and its offset and block files)
Styles:
  normal                seen from above, each column in its highest block's colour in its biome's
                        tints, water darker the deeper it is, slopes lit from the north-west
  heightmapcolor        the highest solid block's level from the sea level: blues below it,
                        darker with depth; green, yellow, brown, grey and white above it
  heightmapgray         the same from black (the world's bottom) to white (its top)
  lightmap              the light at the surface: red where no block lights it (monsters spawn
                        there once the sky is dark), orange where it is dim (light 1 to 7),
                        yellow to white where blocks light it (8 to 15); all of it darker at
                        twilight and at night, as the sky's light fades
  oblique               from above and the viewer's side: cliffs and facing sides show
  obliqueangled         the oblique view turned 45 degrees
  isometric             2:1 blocks with a lit top and two shaded sides
Orientation (which way is up; it turns the view itself, so the projected styles show other faces):
  north                 north up
  east                  east up
  south                 south up
  west                  west up
Filters:
  onlylayers N L...     only these levels (Y, as they stand, below 0 too)
  notlayers N L...      every level but these
  onlyblocks N ID...    only these block ids (newer blocks by the ids they descend from)
  notblocks N ID...     every block but these
Options:
  twilight              sky light dimmed; torches, lava and glowstone glow from the stored light
  night                 darker still
  forcebrightness       full light everywhere
  cave                  the floors of enclosed spaces, coloured by their depth
  ignorewater           water is see-through
  nether                the Nether (DIM-1), from under its bedrock roof
  dimension DIMn        another dimension's folder
  wooloscopy            wool in its colours, everything else a dim grey
  fool_xray             natural stone, dirt, gravel, deepslate and netherrack are see-through
  fool_upsidedown       the world seen from below
  fool_cake             the map as a cut slice: its sides show every level (oblique, isometric)
  granularity N         per-block colour noise, 0 clear to 8 coarse
  nobiomes              grass, leaves and water in the temperate default's colours everywhere
  zoomlevel Z           Z pixels a block from above; the projected styles scaled by Z
  cropwhitespace        clear borders cut off
  mirror                left and right exchanged (the axis the orientation leaves free)
  automirror            angled and isometric views from east or west come out true (the default)
  sautomirror           those views are left as the renderer draws them, mirror images, for the
                        job's post processor to mirror back; the final image is the true view
                        either way, mirrored only when mirroring is asked for
  flip                  the finished map upside down
  rotate                the finished map turned 90 degrees clockwise
  rectangle X0 X1 Z0 Z1 only the chunks in this range
  spacedrectangle X0 X1 Z0 Z1  the same, keeping the empty space of the whole range
  makeoffsetfile        writes NAMEOffset.txt with the range drawn
  listallblocks         writes NAMEBlocks.txt: every block drawn, its count and where
  lowramwrite           the map is written band by band, holding little of it
  threads N             draw with N threads (default: one per core)
  alpha                 read the Alpha chunk files
  beta                  read the Beta region files
  verbosity 1..3        progress on standard output per stage, per region, per chunk
Tail:
  progress FILE         the progress in percent, in FILE's first line
  environment "DIR"    the save folder
  outfile FILE          the image to write (default NAME.png)
)";
}

}  // namespace sgrender
