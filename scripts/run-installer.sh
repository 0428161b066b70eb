#!/usr/bin/env bash
# Starts the installer under Wine (with a private Xvfb when there is no display) and waits for it to end:
# dist/KelvoraSetup.exe, or its x86-64 build where Wine has no 32-bit part.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
exec scripts/wine-session.sh wine "$(wine_build_dir)/installer/app/KelvoraSetup.exe" "$@"
