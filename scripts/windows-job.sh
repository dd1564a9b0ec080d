#!/usr/bin/env bash
# Renders through the Windows script driver with real job starts, under Wine: the driver writes
# renderJob0.bat in a working folder whose path holds blanks and "&", Wine's cmd.exe runs it
# minimised, the Windows renderer and post processor write the image, and the log window
# follows the job to its end.
#  - The first job's map name holds every character that the command processor treats specially.
#  - The second job's map name has an e-acute, typed in the ANSI code page. On Windows the
#    launcher switches the job's console to that page, so that the command processor reads the
#    batch file in it. Wine's cmd.exe reads batch files in the OEM code page whatever the console
#    is switched to, so this job runs on a system whose OEM page is its ANSI page (Vietnamese:
#    1258 for both, e-acute is byte E9 as in 1252), where Wine reads it as Windows does.
#  - Then a world folder and images named with an e-acute are read and written by the tools.
# Run by scripts/test-windows.sh after the Windows build; expects WINEPREFIX and build-windows.
set -uo pipefail
cd "$(dirname "$0")/.."
# Names are compared byte for byte here. Wine takes its code pages from the locale's language
# and keeps the Linux side's file names in the locale's character set: UTF-8 unless told otherwise.
export LC_ALL=C
root=$PWD
bin=$root/build-windows

fail() { echo "windows job: $*"; exit 1; }
# One Wine server for the whole run, kept while idle: a server that ends between two programs
# can refuse the next one as it goes ("recvmsg: Connection reset by peer").
wineserver -p 2>/dev/null
trap 'wineserver -k 2>/dev/null' EXIT
win() { LC_ALL=C.UTF-8 wine "$@"; }
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

# render FOLDER CHUNKS NAME [LOCALE]: Render of a demo world of CHUNKS x CHUNKS chunks under map
# name NAME, in FOLDER made afresh. The driver is asked line by line; every line it prints goes
# to FOLDER/driver.txt. Sets image (the image's name as the driver printed it) and caption (the
# log window's last caption). The driver commands in the array `clicks` come before Render.
# With stop_job set, "Stop job" is pressed as soon as the renderer has begun. The commands in
# `after` come once the job has ended. Sets result, preview and lastjob: what the log window
# says the job made, its preview and the main window's last-job line.
clicks=()
after=()
stop_job=
render() {
  local work=$1 chunks=$2 name=$3 locale=${4:-C.UTF-8}
  local wine=(env LC_ALL="$locale" wine)
  [ "$locale" = C.UTF-8 ] || wine=(env LOCPATH="$bin/locales" LC_ALL="$locale" wine)
  rm -rf "$work" && mkdir -p "$work" || exit 1
  cp "$bin/tools/renderer/strandvale_g_renderer.exe" "$bin/tools/post_processor/strandvale_g_post_processor.exe" "$work/"
  (cd "$work" && "${wine[@]}" "$bin/tools/worldgen/strandvale-g-demo-world.exe" 'appdata\.minecraft\saves\Demo' \
     --chunks "$chunks" "$chunks" --no-nether >/dev/null 2>demo.err) || fail "the demo world was not written: $(cat "$work/demo.err")"
  local appdata
  appdata=$(winpath "$work/appdata")
  # Wine gives every program the prefix's own user folders; the command processor sets the
  # world's, as a user's shell would. (Wine quotes arguments in its own way, so a batch file
  # carries the quotes that the "&" in the path needs.) The driver reads its standard input.
  printf '@set "APPDATA=%s"\r\n@set "LOCALAPPDATA=%s"\r\n@%s\r\n' "$appdata" "$appdata" \
    "$(winpath "$bin/src_interface/strandvale-g-script.exe")" > "$work/driver.bat"
  : > "$work/driver.txt"
  coproc DRIVER { cd "$work" && exec timeout 300 "${wine[@]}" cmd /c driver.bat 2>driver.err; }
  local to=${DRIVER[1]} from=${DRIVER[0]} pid=$DRIVER_PID
  say() { printf '%s\r\n' "$@" >&"$to"; }
  # Reads the driver's lines until one starts with "$1="; its value goes to heard.
  hear() {
    local line
    while IFS= read -r -t 120 line <&"$from"; do
      line=${line%$'\r'}
      printf '%s\n' "$line" >> "$work/driver.txt"
      if [[ $line == "$1="* ]]; then heard=${line#"$1="}; return 0; fi
    done
    fail "the driver said no $1: $(cat "$work/driver.txt" "$work/driver.err")"
  }
  say "launcher real" "start" "print Form1.comboworldfolders.Text"
  hear Form1.comboworldfolders.Text
  [ "$heard" = "Demo" ] || fail "the demo world was not picked: '$heard'"
  say "type Form1.txtmapname $name" "${clicks[@]}" "click Form1.Command5" "print Form1.genfile.Text"
  hear Form1.genfile.Text
  image=$heard
  [ -n "$image" ] || fail "no image name; the driver said: $(cat "$work/driver.err")"
  # The log window's timer, ticked four times a second until the job has ended.
  caption=
  for _ in $(seq 480); do
    if [ -n "$stop_job" ] && [ -e "$work/renderJob0progress.log" ]; then
      say "click Form4.Command3" "print Form4.lbltask.Caption"
      hear Form4.lbltask.Caption
      caption=$heard
      break
    fi
    say "sleep 0.25" "tick Form4.Timer1" "print Form4.lbltask.Caption"
    hear Form4.lbltask.Caption
    caption=$heard
    case "$caption" in *" completed at "*) break;; esac
  done
  say "print Form4.progresslist.List" "print Form1.Visible"
  hear Form1.Visible
  [ "$heard" = "1" ] || fail "the main window did not come back"
  # What the job made, as the windows show it: its preview is read by the Windows image coder,
  # in the background when it takes long.
  for _ in $(seq 40); do
    say "print Form4.Timer2.Enabled"
    hear Form4.Timer2.Enabled
    [ "$heard" = "0" ] && break
    say "sleep 0.25" "tick Form4.Timer2"
  done
  say "print Form4.lblresult.Caption" "print Form4.picpreview.Picture" "print Form1.lbllastjob.Caption"
  hear Form4.lblresult.Caption
  result=$heard
  hear Form4.picpreview.Picture
  preview=$heard
  hear Form1.lbllastjob.Caption
  lastjob=$heard
  ((${#after[@]})) && say "${after[@]}"
  say "close Form1"
  exec {to}>&-
  while IFS= read -r -t 60 line <&"$from"; do printf '%s\n' "${line%$'\r'}" >> "$work/driver.txt"; done
  wait "$pid"
  grep -q "^launch renderJob0.bat minimised$" "$work/driver.txt" || fail "renderJob0.bat was not started"
  case "$caption" in *" completed at "*|*" stopped at "*) ;; *) fail "the log window did not finish: '$caption'";; esac
  [ ! -e "$work/renderJob0.log" ] || fail "the job log is still there"
  # The log window showed the job log as the batch file wrote it.
  grep -qF "Form4.progresslist.List(0)=Starting at 12:00:00 " "$work/driver.txt" || fail "the log window showed no job log"
}

# Every character that the command processor treats specially.
work="$bin/job run & more"
# A world large enough that the job runs for several of the log window's ticks. "Zoomable map"
# is ticked: the post processor run by cmd.exe makes the map's folder beside the image.
clicks=("click Form1.Command6" "click Form1.toggleI" "click Form1.checkzoomablemap")
after=("click Form1.cmdopenmap" "click Form1.cmdopenimage")
render "$work" 24 'Tom & "Jerry" 100% (best)! ^x'
clicks=()
after=()
grep -qF 'echo Post Processing Tom ' "$work/renderJob0.bat" ||
  fail "renderJob0.bat does not name the image: $(cat "$work/renderJob0.bat")"
[ -f "$work/$image" ] || fail "no image '$image' in the working folder: $(ls "$work")"
file "$work/$image" | grep -q "PNG image data, 384 x 384" || fail "'$image' is not the 384 x 384 map: $(file "$work/$image")"
case "$image" in "Tom & Jerry 100% (best)! ^x_"*) ;; *) fail "the image name lost characters: '$image'";; esac
echo "windows job: '$image' written through cmd.exe; the log window reached '$caption'"
map="$work/${image%.png}_map"
for f in index.html map.js tiles.js viewer.js leaflet/leaflet.js leaflet/leaflet.css leaflet/LICENSE tiles/1/0/0.png; do
  [ -f "$map/$f" ] || fail "the zoomable map has no $f: $(ls -R "$map" 2>&1 | head -20)"
done
file "$map/tiles/1/0/0.png" | grep -q "PNG image data, 256 x 256" || fail "the map's tile is not 256 x 256"
grep -qF "renderJob" "$map/map.js" && fail "the map's facts name a job's layer, not the world"
grep -qF '"world": "Demo"' "$map/map.js" || fail "the map's facts lost the world's name: $(cat "$map/map.js")"
echo "windows job: the zoomable map '${image%.png}_map' made through cmd.exe"
[ "$result" = "Made 1 image" ] || fail "the log window says '$result' of what the job made"
# The 384 x 384 map in the preview box, from the map's tiles.
case "$preview" in "326x326 "*) ;; *) fail "the preview is '$preview'";; esac
[ "$lastjob" = "Last job completed at 12:00:00: $image" ] || fail "the main window's last-job line is '$lastjob'"
grep -qF "open map ${image%.png}_map\\index.html" "$work/driver.txt" || fail "Open map opened no map: $(grep '^open' "$work/driver.txt")"
grep -qF "open image $image" "$work/driver.txt" || fail "Open image opened no image"
echo "windows job: the log window listed '$image', showed its preview ($preview), and opened its map and image"

# An e-acute in the ANSI code page (byte E9). The world is large enough that the renderer runs
# for a few of the log window's ticks, so the window shows the line naming the image.
work="$bin/job run & more accent"
ansi=$'Caf\xe9'
if [ ! -d "$bin/locales/vi_VN.UTF-8" ]; then
  mkdir -p "$bin/locales" && localedef -i vi_VN -f UTF-8 "$bin/locales/vi_VN.UTF-8" >/dev/null 2>&1 ||
    fail "cannot make the vi_VN.UTF-8 locale"
fi
render "$work" 32 "$ansi" vi_VN.UTF-8
[ "$image" = "${ansi}_normal_north.png" ] || fail "the image name is '$image'"
grep -qF "name \"$ansi\" normal north" "$work/renderJob0.bat" || fail "renderJob0.bat lost the name: $(cat "$work/renderJob0.bat")"
grep -qF "Form4.progresslist.List(1)=Rendering renderJob0layer0.png (${ansi}_normal_north.png) " "$work/driver.txt" ||
  fail "the job log lost the name: $(grep progresslist "$work/driver.txt")"
# Wine keeps file names in UTF-8 on the Linux side.
utf8=$'Caf\xc3\xa9_normal_north.png'
file "$work/$utf8" | grep -q "PNG image data, 512 x 512" || fail "no image '$utf8': $(ls "$work")"
echo "windows job: the map name with an e-acute reached the batch file, the job log and the image '$utf8'"

# Names in the ANSI code page reach the tools' files whole: the tools take their arguments in
# windows-1252 (e-acute is byte E9).
work="$bin/job run & more"
cafe=$'caf\xc3\xa9'
mkdir -p "$work/saves/$cafe" && cp -r "$work/appdata/.minecraft/saves/Demo/." "$work/saves/$cafe/"
(cd "$work" && win strandvale_g_renderer.exe custom "$(winpath "$work/saves/$cafe")" name "$cafe" normal north \
   outfile "$cafe-layer.png" >accent.out 2>&1) || fail "the renderer failed on a folder named '$cafe': $(cat "$work/accent.out")"
(cd "$work" && win strandvale_g_post_processor.exe input "$cafe-layer.png" rotate 90 delete output "$cafe.png" \
   >>accent.out 2>&1) || fail "the post processor failed on '$cafe-layer.png': $(cat "$work/accent.out")"
file "$work/$cafe.png" | grep -q "PNG image data, 384 x 384" || fail "no image '$cafe.png': $(ls "$work")"
[ ! -e "$work/$cafe-layer.png" ] || fail "the layer '$cafe-layer.png' was not deleted"
echo "windows job: a world folder and images named '$cafe' read and written by the Windows tools"

# A Bedrock world, written by the Windows world writer and drawn by the Windows renderer: the
# same picture as the renderer on this system draws of it.
work="$bin/job run & more"
(cd "$work" && win "$bin/tools/worldgen/strandvale-g-demo-world.exe" 'bedrock' --bedrock --chunks 6 6 --no-nether \
   >bedrock.out 2>&1) || fail "the Bedrock world was not written: $(cat "$work/bedrock.out")"
(cd "$work" && win strandvale_g_renderer.exe custom "$(winpath "$work/bedrock")" name bedrock isometric east nocache \
   outfile bedrock.png >>bedrock.out 2>&1) || fail "the renderer failed on a Bedrock world: $(cat "$work/bedrock.out")"
if [ -x "$root/build/tools/renderer/strandvale_g_renderer.exe" ]; then
  "$root/build/tools/renderer/strandvale_g_renderer.exe" custom "$work/bedrock" name bedrock isometric east nocache \
    outfile "$work/bedrock-here.png" >/dev/null 2>&1 || fail "this system's renderer failed on the Bedrock world"
  cmp -s "$work/bedrock.png" "$work/bedrock-here.png" ||
    python3 - "$work/bedrock.png" "$work/bedrock-here.png" <<'PY' || fail "the Windows renderer's Bedrock picture differs"
import sys, zlib, struct
def pixels(name):
    data = open(name, 'rb').read()
    w, h = struct.unpack('>II', data[16:24])
    idat, pos = b'', 8
    while pos < len(data):
        n, kind = struct.unpack('>I4s', data[pos:pos + 8])
        if kind == b'IDAT': idat += data[pos + 8:pos + 8 + n]
        pos += 12 + n
    return w, h, zlib.decompress(idat)
a, b = pixels(sys.argv[1]), pixels(sys.argv[2])
sys.exit(0 if a == b else 1)
PY
fi
file "$work/bedrock.png" | grep -q "PNG image data" || fail "no image of the Bedrock world: $(ls "$work")"
echo "windows job: a Bedrock world written and drawn by the Windows tools"

# "Stop job" under Wine: the command processor's job object holds the renderer it started, and
# stopping it ends them all, half-way through an isometric render, and clears what they left.
work="$bin/job stop"
clicks=("pick Form1.combostyle 6")
stop_job=1
render "$work" 48 Stopped
clicks=()
stop_job=
case "$caption" in *" stopped at "*) ;; *) fail "the job was not stopped: '$caption'";; esac
sleep 1
if pgrep -f 'strandvale_g_(renderer|post_processor)\.exe' >/dev/null; then
  fail "the job's tools still run: $(pgrep -af 'strandvale_g_(renderer|post_processor)\.exe')"
fi
leftovers=$(cd "$work" && ls | grep -E '\.part|layer|^renderJob0(progress)?\.log$|^Stopped_isometric' || true)
[ -z "$leftovers" ] || fail "the stopped job left: $leftovers"
[ "$lastjob" = "Last job stopped at 12:00:00, no image" ] || fail "the main window's last-job line is '$lastjob'"
[ -z "$preview" ] || fail "a stopped job that made nothing shows a preview: '$preview'"
grep -qF "Form4.progresslist.List" "$work/driver.txt" || fail "the log window showed no job log"
echo "windows job: a job stopped half-way through cmd.exe, with nothing of it left running or half-written"
# The next job runs as usual.
render "$work" 24 Again
file "$work/$image" | grep -q "PNG image data, 384 x 384" || fail "the job after the stopped one made no image"
echo "windows job: the next job ran to its image '$image'"

