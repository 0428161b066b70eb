#!/usr/bin/env bash
# Renders the installer's window to a PNG: starts the installer on a private Xvfb with a black background,
# waits until its window has been painted, grabs the screen and trims it to the window. Then opens the
# window's system menu with the second item selected and renders that to menu.png beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
source scripts/wine-env.sh
ensure_wine_prefix

n=$(for d in $(seq 150 199); do [ -e "/tmp/.X$d-lock" ] || { echo "$d"; break; }; done)
Xvfb ":$n" -screen 0 1024x768x24 -br -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
sleep 1

# grab_screen(file): the screen, trimmed. A grab of the root shows popup windows (menus) black here, so
# each of the program's popups larger than a pixel is grabbed on its own and laid over it.
grab_screen() {
  local layers=() id place popup
  while read -r id place; do
    popup="$1.$id.xwd"
    xwd -id "$id" -silent > "$popup" || continue
    layers+=("xwd:$popup" -geometry "$place" -composite)
  done < <(xwininfo -root -tree | awk '/\(has no name\): \("kelvorasetup.exe"/ && $(NF-1) !~ /^1x1\+/ {print $1, $NF}')
  xwd -root -silent | convert xwd:- "${layers[@]}" -trim +repage -strip "$1" 2>/dev/null
  local grabbed=$?
  rm -f "$1".*.xwd
  return $grabbed
}

# grab_when_still(file, what): writes the screen, trimmed, to file once two grabs a second apart agree.
grab_when_still() {
  local shot size previous=""
  shot=$(mktemp --suffix=.png)
  for _ in $(seq 1 60); do
    sleep 1
    grab_screen "$shot" || continue
    size=$(identify -format '%wx%h' "$shot")
    if [ "${size%x*}" -gt 200 ] && [ "$size" = "$previous" ] && cmp -s "$shot" "$shot.prev"; then
      mkdir -p "$(dirname "$1")"
      mv "$shot" "$1"
      rm -f "$shot.prev"
      echo "wrote $1 ($size)"
      return 0
    fi
    previous=$size
    cp "$shot" "$shot.prev"
  done
  rm -f "$shot" "$shot.prev"
  echo "$2 did not appear" >&2
  return 1
}

wine "$(wine_build_dir)/installer/app/KelvoraSetup.exe" >/dev/null 2>&1 &
grab_when_still "$out" "the installer window"
# Down twice: past Restore, which is disabled on the installer's window, to Move.
wine "$(wine_build_dir)/tests/support/open_system_menu.exe" TForm1 2 >/dev/null 2>&1 ||
  { echo "the system menu did not open" >&2; exit 1; }
grab_when_still "$(dirname "$out")/menu.png" "the system menu"
