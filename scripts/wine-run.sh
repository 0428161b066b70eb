#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix (CMake's emulator for the Windows build).
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
ensure_display
ensure_wine_prefix
exec wine "$@"
