#!/usr/bin/env bash
# Starts the installer under Wine (with a private Xvfb when there is no display) and waits for it to end.
set -euo pipefail
cd "$(dirname "$0")/.."
exec scripts/wine-session.sh wine dist/KelvoraSetup.exe "$@"
