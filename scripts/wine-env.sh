# Sourced by the scripts that run Windows programs: one Wine prefix under the build folder,
# quiet, without Mono/Gecko prompts, and with Wine drawing window frames itself (no window manager).
repo_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${KELVORA_WINEPREFIX:-$repo_root/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=-all
# No debugger on a crash: the crashed program ends at once instead of waiting on winedbg for a test's whole
# time-out.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# Wine passes file names to Linux in the locale's character set; Russian names need UTF-8.
[ "$(locale charmap 2>/dev/null)" = UTF-8 ] || export LC_ALL=C.UTF-8

# Wine runs 32-bit programs only with its 32-bit part (Debian's wine32, from the i386 architecture), whose
# loader is this file; a 64-bit prefix then holds the 32-bit system folder (SysWOW64) too.
wine_runs_32bit() { [ -x /usr/lib/wine/wine ]; }

# The Windows build whose programs Wine here runs: the 32-bit one that ships, or, without Wine's 32-bit
# part, the x86-64 build of the same code.
wine_build_dir() {
  if wine_runs_32bit; then echo "$repo_root/build/win"; else echo "$repo_root/build/win64"; fi
}

# True for a Windows program that Wine here cannot run: a 32-bit one (machine 0x14c in its PE header)
# without Wine's 32-bit part. Wine would start it, fail inside and still end with exit code 0.
wine_cannot_run() {
  wine_runs_32bit && return 1
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" 2>/dev/null | tr -d ' ') || return 1
  [ -n "$header" ] && [ "$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')" = 014c ]
}

# Creates and configures the prefix once; concurrent callers wait on a lock. A prefix made before Wine
# gained or lost its 32-bit part lacks or keeps a SysWOW64 that no longer fits, so one of ours (it has the
# mark) is made anew.
ensure_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  local made_for
  made_for="$(wine --version) $(wine_runs_32bit && echo with || echo without) 32-bit part"
  (
    flock 9
    [ "$(cat "$WINEPREFIX/.kelvora-ready" 2>/dev/null)" = "$made_for" ] && exit 0
    if [ -f "$WINEPREFIX/.kelvora-ready" ]; then
      wineserver -k 2>/dev/null || true
      rm -rf "$WINEPREFIX"
    fi
    wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    echo "$made_for" >"$WINEPREFIX/.kelvora-ready"
  ) 9>"$WINEPREFIX.lock"
}

# Starts a private Xvfb when there is no display; its pid goes to KELVORA_XVFB_PID.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    KELVORA_XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    export DISPLAY=":$n"
    return 0
  done
  echo "no free X display" >&2
  return 1
}
