#!/usr/bin/env bash
# A Render through the Windows script driver with real job starts, under Wine: the driver writes
# renderJob0.bat in a working folder whose path holds blanks and "&", Wine's cmd.exe runs it
# minimised, the Windows renderer and post processor write the image, and the log window
# follows the job to its end. The map name holds every character that the command processor
# treats specially.
# Run by scripts/test-windows.sh after the Windows build; expects WINEPREFIX and build-windows.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD
bin=$root/build-windows
work="$bin/job run & more"
rm -rf "$work" && mkdir -p "$work" || exit 1
cp "$bin/tools/renderer/strandvale_g_renderer.exe" "$bin/tools/post_processor/strandvale_g_post_processor.exe" "$work/"

fail() { echo "windows job: $*"; exit 1; }
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }

(cd "$work" && wine "$bin/tools/worldgen/strandvale-g-demo-world.exe" 'appdata\.minecraft\saves\Demo' --chunks 4 4 \
   --no-nether >/dev/null 2>demo.err) || fail "the demo world was not written: $(cat "$work/demo.err")"

name='Tom & "Jerry" 100% (best)! ^x' 
{
  echo "launcher real"
  echo "start"
  echo "print Form1.comboworldfolders.Text"
  echo "type Form1.txtmapname $name"
  echo "click Form1.Command5"
  echo "print Form1.genfile.Text"
  for _ in $(seq 240); do echo "sleep 0.25"; echo "tick Form4.Timer1"; done
  echo "print Form4.lbltask.Caption"
  echo "print Form4.progresslist.List"
  echo "print Form1.Visible"
  echo "close Form1"
} > "$work/job.script"

appdata=$(winpath "$work/appdata")
# Wine gives every program the prefix's own user folders; the command processor sets the
# world's, as a user's shell would. (Wine quotes arguments in its own way, so a batch file
# carries the quotes that the "&" in the path needs.)
printf '@set "APPDATA=%s"\r\n@set "LOCALAPPDATA=%s"\r\n@%s job.script\r\n' "$appdata" "$appdata" \
  "$(winpath "$bin/src_interface/strandvale-g-script.exe")" > "$work/driver.bat"
(cd "$work" && timeout 300 wine cmd /c driver.bat > driver.out 2> driver.err)
tr -d '\r' < "$work/driver.out" > "$work/driver.txt"
value() { sed -n "s/^$1=//p" "$work/driver.txt" | head -n 1; }

[ "$(value Form1.comboworldfolders.Text)" = "Demo" ] || fail "the demo world was not picked: $(head -3 "$work/driver.txt")"
image=$(value Form1.genfile.Text)
[ -n "$image" ] || fail "no image name; the driver said: $(cat "$work/driver.err")"
grep -q "^launch renderJob0.bat minimised$" "$work/driver.txt" || fail "renderJob0.bat was not started"
caption=$(value Form4.lbltask.Caption)
case "$caption" in *" completed at "*) ;; *) fail "the log window did not finish: '$caption'";; esac
[ "$(value Form1.Visible)" = "1" ] || fail "the main window did not come back"
[ -f "$work/$image" ] || fail "no image '$image' in the working folder: $(ls "$work")"
[ ! -e "$work/renderJob0.log" ] || fail "the job log is still there"
# The log window showed the job log as the batch file wrote it (how far it got depends on how
# fast the job ran: its first line at least), and the batch file names the image whole.
grep -qF "Form4.progresslist.List(0)=Starting at 12:00:00 " "$work/driver.txt" || fail "the log window showed no job log"
grep -qF 'echo Post Processing Tom ' "$work/renderJob0.bat" ||
  fail "renderJob0.bat does not name the image: $(cat "$work/renderJob0.bat")"
file "$work/$image" | grep -q "PNG image data, 64 x 64" || fail "'$image' is not the 64 x 64 map: $(file "$work/$image")"
case "$image" in "Tom & Jerry 100% (best)! ^x_"*) ;; *) fail "the image name lost characters: '$image'";; esac
echo "windows job: '$image' written through cmd.exe; the log window reached '$caption'"

# Names in the ANSI code page reach the tools' files whole: the tools take their arguments in
# windows-1252 (e-acute is byte E9), and Wine keeps file names in UTF-8 on the Linux side.
cafe=$'caf\u00e9'
mkdir -p "$work/saves/$cafe" && cp -r "$work/appdata/.minecraft/saves/Demo/." "$work/saves/$cafe/"
(cd "$work" && wine strandvale_g_renderer.exe custom "$(winpath "$work/saves/$cafe")" name "$cafe" normal north \
   outfile "$cafe-layer.png" >accent.out 2>&1) || fail "the renderer failed on a folder named '$cafe': $(cat "$work/accent.out")"
(cd "$work" && wine strandvale_g_post_processor.exe input "$cafe-layer.png" rotate 90 delete output "$cafe.png" \
   >>accent.out 2>&1) || fail "the post processor failed on '$cafe-layer.png': $(cat "$work/accent.out")"
file "$work/$cafe.png" | grep -q "PNG image data, 64 x 64" || fail "no image '$cafe.png': $(ls "$work")"
[ ! -e "$work/$cafe-layer.png" ] || fail "the layer '$cafe-layer.png' was not deleted"
echo "windows job: a world folder and images named '$cafe' read and written by the Windows tools"
