#!/usr/bin/env bash
# Renders a program's window to a PNG: starts the program (the installer by default; a path in the Windows
# build) on a private Xvfb with a black background, waits until its window has been painted, grabs the
# screen and trims it to the window. Usage: screenshot.sh [OUT.png [PROGRAM]]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
program=${2:-installer/app/KelvoraSetup.exe}
source scripts/wine-env.sh
ensure_wine_prefix

n=$(for d in $(seq 150 199); do [ -e "/tmp/.X$d-lock" ] || { echo "$d"; break; }; done)
Xvfb ":$n" -screen 0 1024x768x24 -br -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
cleanup() { wineserver -k 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
sleep 1

wine "$(wine_build_dir)/$program" >/dev/null 2>&1 &
shot=$(mktemp --suffix=.png)
previous=""
for _ in $(seq 1 60); do
  sleep 1
  xwd -root -silent | convert xwd:- -trim +repage -strip "$shot" 2>/dev/null || continue
  size=$(identify -format '%wx%h' "$shot")
  # Done once the window is there and two grabs a second apart agree.
  if [ "${size%x*}" -gt 200 ] && [ "$size" = "$previous" ] && cmp -s "$shot" "$shot.prev"; then
    mkdir -p "$(dirname "$out")"
    mv "$shot" "$out"
    rm -f "$shot.prev"
    echo "wrote $out ($size)"
    exit 0
  fi
  previous=$size
  cp "$shot" "$shot.prev"
done
echo "the window of $program did not appear" >&2
exit 1
