#!/usr/bin/env bash
# The installer against NSIS (`make bench-installer`, or this script after `make`): bench/installer/run.sh [ROUNDS]
# Makes a payload of the shipped program's sizes and compressibility from a seed (SEED, default 1), builds our
# installer with it (build/bench/) and an NSIS installer of the same job (Kelvora.nsi), prints their sizes,
# then times under one Wine prefix, interleaved over ROUNDS rounds (default 30), the silent install of each
# and a bare window program as the floor, and the start of each to its window.
# The shipped programs are 32-bit, and so is NSIS's installer. Where Wine has no 32-bit part (wine32) the
# sizes are still those of the 32-bit builds, but the timing runs our x86-64 build against NSIS's amd64
# installer of the same job, and says so.
set -euo pipefail
cd "$(dirname "$0")/../.."
rounds=${1:-30}
seed=${SEED:-1}
bench=$PWD/build/bench
export KELVORA_WINEPREFIX=$bench/wineprefix
source scripts/wine-env.sh

windows_path() { echo "Z:${1//\//\\}"; }
size_of() { stat -c %s "$1"; }

# payload_and_installer WIDTH(win|win64): the payload with that width's stand-in program at the head of
# Kelvora.exe, and our installer built with it, as the main build of that width is configured.
payload_and_installer() {
  local width=$1 toolchain
  [ "$width" = win ] && toolchain=cmake/mingw-w64-i686.cmake || toolchain=cmake/mingw-w64-x86_64.cmake
  build/native/bench/installer/bench_payload "$seed" "$bench/payload-$width" "build/$width/payload/standins/Kelvora.exe"
  cmake -S . -B "$bench/$width" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$PWD/$toolchain" \
    -DKELVORA_PAYLOAD_DIR="$bench/payload-$width" -DKELVORA_DIST_DIR="$bench/$width/dist" >/dev/null
  cmake --build "$bench/$width" --target KelvoraSetup bare_window installer_bench >/dev/null
}

# nsis_installer WIDTH TARGET COMPRESSOR: NSIS's installer of the same job and payload.
nsis_installer() {
  local out="$bench/nsis-$2-$3.exe"
  makensis -V1 -INPUTCHARSET UTF8 -DPAYLOAD="$bench/payload-$1" -DSCRIPTS="$bench/scripts" -DOUTFILE="$out" \
    -DCOMPRESSOR="$3" -DTARGET="$2" bench/installer/Kelvora.nsi >/dev/null
  echo "$out"
}

mkdir -p "$bench/scripts"
printf '%s' "Kelvora -install" >"$bench/scripts/registerdll.cmd"
printf '%s' "Kelvora -uninstall" >"$bench/scripts/unregisterdll.cmd"
printf '%s' "Kelvora -getpublickey" >"$bench/scripts/getmypublickey.cmd"
cmake --build build/native --target bench_payload >/dev/null

echo "Payload from seed $seed, the shipped sizes:"
payload_and_installer win
ours32=$bench/win/installer/app/KelvoraSetup.exe
nsis_zlib=$(nsis_installer win x86-unicode zlib)
nsis_lzma=$(nsis_installer win x86-unicode lzma)
streams=$(cat "$bench"/win/payload/packed/*.zip | wc -c)
printf '\nSizes of the 32-bit installers (bytes):\n'
printf '  %-24s %9d\n' "ours" "$(size_of "$ours32")" "NSIS zlib" "$(size_of "$nsis_zlib")" \
  "NSIS lzma" "$(size_of "$nsis_lzma")" "our payload streams" "$streams"
awk -v ours="$(size_of "$ours32")" -v nsis="$(size_of "$nsis_zlib")" -v lzma="$(size_of "$nsis_lzma")" \
  'BEGIN { printf "  ours / NSIS zlib = %.2f, ours / NSIS lzma = %.2f\n\n", ours / nsis, ours / lzma }'

if wine_runs_32bit; then
  width=win
  nsis=$nsis_zlib
  echo "Timed under Wine: the 32-bit programs, ours against NSIS's 32-bit zlib installer"
else
  width=win64
  payload_and_installer win64 >/dev/null
  nsis=$(nsis_installer win64 amd64-unicode zlib)
  echo "Timed under Wine: Wine here has no 32-bit part (wine32), so our x86-64 build runs against NSIS's amd64"
  echo "zlib installer of the same job; the shipped 32-bit programs are not timed"
fi

# A stand-in iKey driver where programs of that width find it; eKalit stays missing, as with one token.
# Wine's own menu builder, which Wine starts whenever a program saves a shortcut, is left out: Windows has
# no such thing, and it would burden both installers with a further process.
if [ "$width" = win ]; then system=syswow64; else system=system32; fi
programs="$bench/$width/bench/installer"
scripts/wine-session.sh sh -c 'cp "$1" "$WINEPREFIX/drive_c/windows/$2/" && shift 2 &&
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d" exec wine "$@"' - \
  "build/$width/payload/standins/iKeyAPI.dll" "$system" "$programs/installer_bench.exe" "$rounds" \
  "$(windows_path "$programs/bare_window.exe")" "$(windows_path "$bench/$width/installer/app/KelvoraSetup.exe")" \
  "$(windows_path "$nsis")"
