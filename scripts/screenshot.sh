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

# grab OUT CROP [SOURCE]: writes the screen, cut by CROP (an ImageMagick geometry, or -trim for the painted
# part), once two grabs a second apart agree. SOURCE "-id X" grabs that window alone.
grab() {
  local previous=""
  for _ in $(seq 1 60); do
    sleep 1
    # shellcheck disable=SC2086
    xwd ${3:--root} -silent | convert xwd:- $2 +repage -strip "$shot" 2>/dev/null || continue
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

# With two more file names: the installer's first prompt (over an earlier installation it is given) and a
# system message box, both with the installer's skin, each alone on the screen. A helper shows each, prints
# its rectangle and keeps it until the signal file exists.
prompt_out=${3:-}
msgbox_out=${4:-}
[ -n "$prompt_out" ] || exit 0
signal=$(mktemp -u)
# show(out, helper, arguments...): grabs what the helper shows, then lets it close.
show() {
  local out=$1 geometry id
  shift
  rm -f "$signal"
  wineserver -k 2>/dev/null || true
  exec 3< <(wine "$@" "$(winepath -w "$signal")" 2>/dev/null)
  read -r -t 60 geometry <&3 || { echo "nothing to grab for $out" >&2; return 1; }
  geometry=${geometry%$'\r'}
  # A grab of the root shows some of Wine's popups black here: a window of exactly that place is grabbed on
  # its own.
  id=$(xwininfo -root -tree | awk -v g="$geometry" 'index($0, " " g " ") {print $1; exit}')
  if [ -n "$id" ]; then grab "$out" "" "-id $id"; else grab "$out" "-crop $geometry"; fi
  touch "$signal"
  cat <&3 >/dev/null
  exec 3<&-
}
show "$prompt_out" "$build/tests/support/open_prompt.exe" "$(winepath -w "$build/installer/app/KelvoraSetup.exe")"
[ -z "$msgbox_out" ] || show "$msgbox_out" "$build/tests/support/show_system_box.exe"
rm -f "$signal"
