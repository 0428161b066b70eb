#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the benchmarks need (nsis: the installer benchmark).
# Idempotent and quiet when all is there.
# Wine's 32-bit part (wine32, from the i386 architecture) runs the 32-bit programs under test. Where the
# package registry does not give it (an i386 index that cannot be fetched for a while leaves the i386
# packages behind their amd64 versions), the Windows tests run on the x86-64 build instead: its absence
# is told in one line and does not fail.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
  wine wine64 fonts-wine xvfb xauth x11-apps imagemagick
  zlib1g-dev libjpeg62-turbo-dev googletest libbenchmark-dev nsis
)
wine32=wine32:i386

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
installed "$wine32" && wine32=""
[ ${#missing[@]} -eq 0 ] && [ -z "$wine32" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
if [ -n "$wine32" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
fi
# One index that cannot be fetched does not stop the others; what it keeps out is told below.
update_errors=$($SUDO apt-get update -qq 2>&1 >/dev/null) || true

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if ! $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    [ -n "$update_errors" ] && echo "$update_errors" >&2
    exit 1
  fi
fi
if [ -n "$wine32" ] && ! $SUDO apt-get install -y -qq --no-install-recommends "$wine32" >/dev/null 2>&1; then
  echo "wine32 cannot be installed from the package registry now: Windows tests will run on the x86-64 build"
fi
