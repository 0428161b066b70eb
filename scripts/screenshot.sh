#!/usr/bin/env bash
# Renders the installer's window to a PNG: starts the installer on a private Xvfb with a black background,
# waits until its window has been painted, grabs the screen and trims it to the window. With a second file
# name it then opens the window's "Select directory" dialog and renders that too.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
dialog_out=${2:-}
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
  rm -f "$shot" "$shot.prev"
}
trap cleanup EXIT
sleep 1

# grab OUT CROP: writes the screen, cut by CROP (an ImageMagick geometry, or -trim for the painted part),
# once two grabs a second apart agree.
grab() {
  local previous=""
  for _ in $(seq 1 60); do
    sleep 1
    # shellcheck disable=SC2086
    xwd -root -silent | convert xwd:- $2 +repage -strip "$shot" 2>/dev/null || continue
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

wine "$build/installer/app/KelvoraSetup.exe" >/dev/null 2>&1 &
grab "$out" -trim
[ -n "$dialog_out" ] || exit 0
geometry=$(wine "$build/tests/support/open_folder_dialog.exe" 2>/dev/null | tr -d '\r')
[ -n "$geometry" ] || { echo "the folder dialog did not open" >&2; exit 1; }
grab "$dialog_out" "-crop $geometry"
