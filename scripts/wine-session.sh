#!/usr/bin/env bash
# Runs a command inside one Wine session: a display (own Xvfb when none), the prefix, and an idle Wine
# program that keeps the Wine server and desktop alive, so each program start does not pay for them.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
KELVORA_XVFB_PID=""
ensure_display
ensure_wine_prefix
# cmd waits on its input, which never ends until the sleep is stopped.
sleep infinity > >(wine cmd >/dev/null 2>&1) &
idle_pid=$!
cleanup() {
  kill "$idle_pid" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -n "$KELVORA_XVFB_PID" ] && kill "$KELVORA_XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
# The Wine server and its services keep the output of the program that started them open for as long as
# they live: they must come up here, with no output, before the command's first Windows program, or a test
# runner that waits for the end of that program's output would wait for the end of the session.
wine cmd /c exit </dev/null >/dev/null 2>&1
"$@"
