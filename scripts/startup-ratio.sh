#!/usr/bin/env bash
# Prints how much longer the installer takes to show its window than a bare Win32 window, both measured side
# by side in one Wine session: scripts/startup-ratio.sh [ROUNDS] (20 by default). Build first (make
# wine-build).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
build=$(wine_build_dir)
setup="$build/installer/app/KelvoraSetup.exe"
exec scripts/wine-session.sh wine "$build/tests/timing/startup_timing.exe" "${1:-20}" "Z:${setup//\//\\}"
