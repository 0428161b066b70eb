#!/usr/bin/env bash
# `make PAYLOAD=folder` packs that folder, and a plain `make` after it packs the stand-ins again; each says
# which. Runs the Makefile's payload step on a build folder of its own:
#   PayloadSelectionTest.sh SOURCE_ROOT WORK_FOLDER
set -euo pipefail
root=$1
work=$2
build=$work/build
rm -rf "$work"
mkdir -p "$work/payload"
for file in Kelvora.exe KelvoraV3DLL.dll iKeyAPI.dll eKalit.dll; do
  printf 'not a stand-in: %s\n' "$file" >"$work/payload/$file"
done

# make_payload [PAYLOAD=...]: the payload step, whose output must say which payload it packs.
make_payload() { make -C "$root" --no-print-directory windows-payload BUILD="$build" JOBS=2 "$@" 2>&1; }

# expect_packed FOLDER: the build's streams are those of the four files in FOLDER.
expect_packed() {
  rm -rf "$work/expected"
  mkdir "$work/expected"
  "$build/win/resources/payload/host/payloadpack/payloadpack" "$1" "$work/expected" >/dev/null
  for base in Kelvora KelvoraV3DLL iKeyAPI eKalit; do
    cmp "$work/expected/$base.zip" "$build/win/payload/packed/$base.zip"
  done
}

output=$(make_payload PAYLOAD="$work/payload")
grep -qF "packs the payload files of $work/payload" <<<"$output" || { echo "$output"; exit 1; }
expect_packed "$work/payload"

output=$(make_payload)
grep -qF "packs the stand-ins" <<<"$output" || { echo "$output"; exit 1; }
expect_packed "$build/win/payload/standins"
echo "PAYLOAD=folder packed the folder; the plain build after it packed the stand-ins"
