#!/usr/bin/env bash
# Prints the Windows build folder whose programs Wine here runs (build/win, or build/win64 without wine32).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
wine_build_dir
