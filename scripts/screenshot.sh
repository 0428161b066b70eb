#!/usr/bin/env bash
# Renders a program's window to a PNG: starts the program (the installer by default; a path in the Windows
# build) on a private Xvfb with a black background, waits until its window has been painted, grabs the screen
# and trims it to the window. For the installer, --menu also renders its system menu with the second item
# selected, --folder-dialog its "Select directory" dialog, --prompt its first prompt (over an earlier
# installation it is given) and --msgbox a system message box with its skin.
# Usage: screenshot.sh OUT.png [PROGRAM] [--menu M.png] [--folder-dialog D.png] [--prompt P.png] [--msgbox B.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot.png}
shift || true
program=installer/app/KelvoraSetup.exe
menu_out=""
dialog_out=""
prompt_out=""
msgbox_out=""
while [ $# -gt 0 ]; do
  case "$1" in
    --menu) menu_out=$2; shift 2 ;;
    --folder-dialog) dialog_out=$2; shift 2 ;;
    --prompt) prompt_out=$2; shift 2 ;;
    --msgbox) msgbox_out=$2; shift 2 ;;
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

# grab OUT CROP [SOURCE]: writes the screen, cut by CROP (an ImageMagick geometry, or -trim for the painted
# part), once two grabs a second apart agree. SOURCE "-id X" grabs that window alone.
grab() {
  local previous=""
  for _ in $(seq 1 60); do
    sleep 1
    if [ -n "${3:-}" ]; then
      # shellcheck disable=SC2086
      xwd $3 -silent | convert xwd:- +repage -strip "$shot" 2>/dev/null || continue
    else
      grab_screen "$2" || continue
    fi
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
if [ -n "$dialog_out" ]; then
  geometry=$(wine "$build/tests/support/open_folder_dialog.exe" 2>/dev/null | tr -d '\r')
  [ -n "$geometry" ] || { echo "the folder dialog did not open" >&2; exit 1; }
  grab "$dialog_out" "-crop $geometry"
fi

# The prompt and the system message box are each shown alone by a helper, which prints the window's
# rectangle and keeps it until the signal file exists.
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
[ -z "$prompt_out" ] ||
  show "$prompt_out" "$build/tests/support/open_prompt.exe" "$(winepath -w "$build/installer/app/KelvoraSetup.exe")"
[ -z "$msgbox_out" ] || show "$msgbox_out" "$build/tests/support/show_system_box.exe"
rm -f "$signal"
