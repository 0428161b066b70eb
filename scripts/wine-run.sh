#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix (CMake's emulator for the Windows build).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
if wine_cannot_run "$1"; then
  echo "$1 is a 32-bit program and Wine here has no 32-bit part (wine32): run the x86-64 build instead" >&2
  exit 1
fi
ensure_display
ensure_wine_prefix
exec wine "$@"
