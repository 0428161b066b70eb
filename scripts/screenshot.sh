#!/usr/bin/env bash
# Renders a program's window to a PNG: starts the program (the installer by default; a path in the Windows
# build) on a private Xvfb with a black background, waits until its window has been painted, grabs the screen
# and trims it to the window. For the installer, --menu also renders its system menu with the second item
# selected, and --folder-dialog its "Select directory" dialog.
# Usage: screenshot.sh OUT.png [PROGRAM] [--menu MENU.png] [--folder-dialog DIALOG.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
shift || true
program=installer/app/KelvoraSetup.exe
menu_out=""
dialog_out=""
while [ $# -gt 0 ]; do
  case "$1" in
    --menu) menu_out=$2; shift 2 ;;
    --folder-dialog) dialog_out=$2; shift 2 ;;
    *) program=$1; shift ;;
  esac
done
process=$(basename "$program" | tr '[:upper:]' '[:lower:]')
source scripts/wine-env.sh
ensure_wine_prefix
build=$(wine_build_dir)

n=$(for d in $(seq 150 199); do [ -e "/tmp/.X$d-lock" ] || { echo "$d"; break; }; done)
Xvfb ":$n" -screen 0 1024x768x24 -br -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
shot=$(mktemp --suffix=.png)
cleanup() {
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$shot" "$shot".*
}
trap cleanup EXIT
sleep 1

# grab_screen CROP: the screen, cut by CROP, into $shot. A grab of the root shows popup windows (menus)
# black here, so each of the installer's popups larger than a pixel is grabbed on its own and laid over it.
grab_screen() {
  local layers=() id place popup
  while read -r id place; do
    popup="$shot.$id.xwd"
    xwd -id "$id" -silent >"$popup" || continue
    layers+=("xwd:$popup" -geometry "$place" -composite)
  done < <(xwininfo -root -tree | awk -v process="(\"$process\"" 'index($0, "(has no name): " process) && $(NF-1) !~ /^1x1\+/ {print $1, $NF}')
  # shellcheck disable=SC2086
  xwd -root -silent | convert xwd:- "${layers[@]}" $1 +repage -strip "$shot" 2>/dev/null
}

# grab OUT CROP: writes the screen, cut by CROP (an ImageMagick geometry, or -trim for the painted part),
# once two grabs a second apart agree.
grab() {
  local previous=""
  for _ in $(seq 1 60); do
    sleep 1
    grab_screen "$2" || continue
    size=$(identify -format '%wx%h' "$shot")
    if [ "${size%x*}" -gt 200 ] && [ "$size" = "$previous" ] && cmp -s "$shot" "$shot.prev"; then
      mkdir -p "$(dirname "$1")"
      cp "$shot" "$1"
      echo "wrote $1 ($size)"
      return 0
    fi
    previous=$size
    cp "$shot" "$shot.prev"
  done
  echo "the window for $1 did not appear" >&2
  return 1
}

wine "$build/$program" >/dev/null 2>&1 &
grab "$out" -trim
if [ -n "$menu_out" ]; then
  # Down twice: past Restore, which is disabled on the installer's window, to Move.
  wine "$build/tests/support/open_system_menu.exe" TForm1 2 >/dev/null 2>&1 ||
    { echo "the system menu did not open" >&2; exit 1; }
  grab "$menu_out" -trim
  wine "$build/tests/support/open_system_menu.exe" TForm1 close >/dev/null 2>&1
fi
[ -n "$dialog_out" ] || exit 0
geometry=$(wine "$build/tests/support/open_folder_dialog.exe" 2>/dev/null | tr -d '\r')
[ -n "$geometry" ] || { echo "the folder dialog did not open" >&2; exit 1; }
grab "$dialog_out" "-crop $geometry"
