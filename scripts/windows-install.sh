#!/usr/bin/env bash
# The Windows packages as a player gets them, under Wine: the installer installs silently for the
# user (files, Start-menu shortcut starting in the working folder, "Apps & features" entry); the
# installed program, started from the shortcut's start folder on an Xvfb screen, brings the render
# tools in and writes a demo world there (a picture of its main window is kept); a Render in that
# folder runs through Wine's command processor to the image; the uninstaller removes every
# installed file and leaves the working folder alone; and the portable zip, unpacked into a folder
# whose name holds a blank and an e-acute, starts and renders there too.
# Run by scripts/test-windows.sh after scripts/package-windows.sh; expects WINEPREFIX.
set -uo pipefail
cd "$(dirname "$0")/.."
export LC_ALL=C
root=$PWD
bin=$root/build-windows
pkg=$bin/packages
fail() { echo "windows install: $*"; wineserver -k 2>/dev/null; exit 1; }
win() { LC_ALL=C.UTF-8 wine "$@"; }
winpath() { printf 'Z:%s' "$1" | tr '/' '\\'; }
setup=$(ls "$pkg"/Strandvale-G-*-setup.exe 2>/dev/null | head -n 1)
zipfile=$(ls "$pkg"/Strandvale-G-*-portable.zip 2>/dev/null | head -n 1)
[ -f "$setup" ] && [ -f "$zipfile" ] || fail "no packages in $pkg (scripts/package-windows.sh makes them)"
version=$(basename "$setup" | sed 's/^Strandvale-G-\(.*\)-setup\.exe$/\1/')

# The user's folders of the prefix, as Windows and as Linux names.
folder() { LC_ALL=C.UTF-8 wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
local_win=$(folder LOCALAPPDATA) appdata_win=$(folder APPDATA)
local_unix=$(LC_ALL=C.UTF-8 winepath -u "$local_win" 2>/dev/null) appdata_unix=$(LC_ALL=C.UTF-8 winepath -u "$appdata_win" 2>/dev/null)
[ -d "$local_unix" ] && [ -d "$appdata_unix" ] || fail "cannot find the prefix's user folders ('$local_win', '$appdata_win')"
inst=$local_unix/Programs/Strandvale\ G
work=$local_unix/Strandvale\ G
menu=$appdata_unix/Microsoft/Windows/Start\ Menu/Programs/Strandvale\ G
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\StrandvaleG'
rm -rf "$inst" "$work" "$menu"
win reg delete "$key" /f >/dev/null 2>&1

# Starts the program in a folder on an Xvfb screen (Xvfb keeps its screen in a file, a picture
# of what the player sees), waits until the first start has done its work, keeps the picture,
# and ends the program.
start_program() {
  local exe=$1 folder=$2 picture=$3 fb
  fb=$(mktemp -d)
  # In a Wine desktop, so that Wine draws the window's frame and title as Windows would.
  (cd "$folder" && timeout 120 xvfb-run -a -s "-screen 0 1024x768x24 -fbdir $fb" env LC_ALL=C.UTF-8 \
     wine explorer /desktop=strandvale,1024x768 "$exe" >/dev/null 2>&1) &
  local pid=$!
  for _ in $(seq 240); do
    [ -f "$folder/settings.dat" ] && [ -f "$folder/strandvale_g_renderer.exe" ] && break
    sleep 0.25
  done
  sleep 10  # the main window opens and draws
  mkdir -p "$(dirname "$picture")"
  cp "$fb/Xvfb_screen0" "$picture.xwd" 2>/dev/null
  command -v convert >/dev/null 2>&1 && convert "xwd:$picture.xwd" "$picture.png" 2>/dev/null && rm -f "$picture.xwd"
  wineserver -k 2>/dev/null
  wait "$pid" 2>/dev/null
  rm -rf "$fb"
}

# A Render in the folder through the script driver with real job starts: Wine's command
# processor runs the job; the image appears in the folder.
render_in() {
  local folder=$1 name=$2
  printf '%s\r\n' "launcher real" "start" "print Form1.comboworldfolders.Text" "type Form1.txtmapname $name" \
    "click Form1.Command5" "print Form1.genfile.Text" > "$folder/render.script"
  (cd "$folder" && timeout 120 env LC_ALL=C.UTF-8 wine "$bin/src_interface/strandvale-g-script.exe" render.script \
     > driver.txt 2> driver.err) || fail "the driver failed in '$folder': $(cat "$folder/driver.err")"
  grep -q "^Form1.comboworldfolders.Text=Demo World" <(tr -d '\r' < "$folder/driver.txt") ||
    fail "the demo world is not listed in '$folder': $(cat "$folder/driver.txt")"
  image=$(tr -d '\r' < "$folder/driver.txt" | sed -n 's/^Form1.genfile.Text=//p')
  [ -n "$image" ] || fail "no image name: $(cat "$folder/driver.txt")"
  for _ in $(seq 240); do
    [ -f "$folder/$image" ] && [ ! -e "$folder/renderJob0.log" ] && break
    sleep 0.5
  done
  file "$folder/$image" | grep -q "PNG image data, 512 x 512" || fail "no map '$image' in '$folder': $(ls "$folder")"
}

# 1. Install silently.
win "$setup" /S || fail "the installer failed"
# 2. The files, the shortcut and its start folder, the uninstall entry.
for f in strandvale-g.exe strandvale_g_renderer.exe strandvale_g_post_processor.exe strandvale-g-demo-world.exe \
         README.txt uninstall.exe map-viewer/leaflet.js map-viewer/leaflet.css map-viewer/LICENSE.txt; do
  [ -f "$inst/$f" ] || fail "not installed: $f"
done
[ -f "$menu/Strandvale G.lnk" ] || fail "no Start-menu shortcut in '$menu'"
tr -d '\0' < "$menu/Strandvale G.lnk" | grep -qaF "$local_win\\Strandvale G" ||
  fail "the shortcut does not start in '$local_win\\Strandvale G'"
[ -d "$work" ] || fail "the working folder was not made"
entry=$(win reg query "$key" 2>/dev/null | tr -d '\r')
grep -q "DisplayName.*Strandvale G" <<<"$entry" && grep -q "DisplayVersion.*$version" <<<"$entry" &&
  grep -q 'UninstallString.*uninstall.exe' <<<"$entry" || fail "no uninstall entry: $entry"
shown=$(strings -el -n 3 "$inst/strandvale-g.exe" | grep -A1 '^ProductVersion$' | tail -n 1)
[ "$shown" = "$version" ] || fail "the program's version resource says '$shown', not $version"
echo "windows install: installed $version for the user, with its shortcut, start folder and uninstall entry"

# 3. The installed program from the shortcut's start folder: tools brought in, a demo world.
start_program "$inst/strandvale-g.exe" "$work" "$bin/screenshots/installed-main-window"
for f in strandvale_g_renderer.exe strandvale_g_post_processor.exe settings.dat "demo-saves/Demo World/level.dat"; do
  [ -e "$work/$f" ] || fail "the first start left no $f in the working folder: $(ls "$work")"
done
echo "windows install: the first start brought the tools in and wrote a demo world"

# 4. A Render there, to the image.
render_in "$work" Installed
echo "windows install: '$image' rendered in the working folder"
[ -d "$local_unix/Strandvale G Cache/renders" ] || fail "the render kept nothing in the render cache"

# 5. Uninstall silently: every installed file goes, the working folder stays.
win "$inst/uninstall.exe" /S || fail "the uninstaller failed"
for _ in $(seq 120); do [ ! -e "$inst" ] && break; sleep 0.5; done
[ ! -e "$inst" ] || fail "left after uninstalling: $(ls "$inst")"
[ ! -e "$menu" ] || fail "the Start-menu folder is left"
win reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is left"
[ -f "$work/settings.dat" ] && [ -f "$work/$image" ] || fail "the working folder lost the player's files"
[ ! -e "$local_unix/Strandvale G Cache" ] || fail "the render cache is left: $(ls -R "$local_unix/Strandvale G Cache" | head)"
echo "windows install: uninstalled; the render cache went, the working folder with the settings and images is left alone"

# 6. The portable zip in a folder whose name holds a blank and an e-acute.
portable=$bin/$'portable caf\xc3\xa9'
rm -rf "$portable" && mkdir -p "$portable"
(cd "$portable" && unzip -q "$zipfile") || fail "cannot unpack $zipfile"
start_program "$portable/strandvale-g.exe" "$portable" "$bin/screenshots/portable-main-window"
[ -f "$portable/demo-saves/Demo World/level.dat" ] || fail "the portable program wrote no demo world: $(ls "$portable")"
render_in "$portable" Portable
echo "windows install: the portable zip renders '$image' in its own folder"
