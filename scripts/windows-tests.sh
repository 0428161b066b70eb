#!/usr/bin/env bash
# Runs the Windows test suites under Wine on the build that Wine here runs, and says in one line which.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
build=$(wine_build_dir)
if wine_runs_32bit; then
  echo "Windows tests on the 32-bit build (${build#"$repo_root"/})"
else
  echo "Windows tests on the x86-64 build (${build#"$repo_root"/}): Wine here has no 32-bit part (wine32)," \
    "so the 32-bit programs are built but not run"
fi
exec "$(dirname "$0")/wine-session.sh" ctest --test-dir "$build" --output-on-failure "$@"
