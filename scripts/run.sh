#!/usr/bin/env bash
# Installs what is missing, builds, installs the program into the user's program folder
# (${XDG_DATA_HOME:-$HOME/.local/share}/glimmora, where the libraries, the icon clipboard and the
# settings live, so a rebuild or `rm -rf build` never touches them) and starts it from there.
# Without a display it starts a virtual screen (Xvfb) and a window manager (openbox) first, waits
# until both run, and says how to look at the screen.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
echo "Building Glimmora (the first build takes a few minutes; GLIMMORA_JOBS=N uses N cores)..."
GLIMMORA_TARGET=glimmora scripts/build.sh build
appdir="$(scripts/install.sh build/Glimmora)"
echo "Program folder: $appdir"

work="$(mktemp -d)"
pids=()
# Stops what was started, the last first, each gone before the next: the window manager never
# loses its screen from under it.
cleanup() {
  for ((k = ${#pids[@]} - 1; k >= 0; k--)); do
    kill "${pids[k]}" 2>/dev/null || true
    wait "${pids[k]}" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The desktop's per-user folder for sockets and such: a private one where the session has none.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  mkdir -m 700 "$work/runtime"
  export XDG_RUNTIME_DIR="$work/runtime"
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  "$appdir/glimmora"
  exit
fi

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tenths="$1"
  shift
  for ((i = 0; i < tenths; i++)); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}

# Xvfb picks a free display itself and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for 100 grep -q '[0-9]' "$work/display" || { echo "The virtual screen did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(tr -dc '0-9' <"$work/display")"
wait_for 100 xdpyinfo || { echo "The virtual screen $DISPLAY does not answer." >&2; exit 1; }

# The window manager maximises the window and gives it the focus; without it the program's
# window may never be shown in full.
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 100 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
  { echo "The window manager did not start on $DISPLAY:" >&2; cat "$work/openbox.log" >&2; exit 1; }

echo "No display found: Glimmora runs on the virtual screen $DISPLAY (Xvfb, 1280x800, with openbox)."
echo "To look at it:  DISPLAY=$DISPLAY import -window root ~/glimmora-screen.png"
echo "Close the program (or press Ctrl+C here) to stop the virtual screen."
"$appdir/glimmora" &
pids+=($!)
if wait_for 150 xdotool search --onlyvisible --class glimmora; then
  echo "The Glimmora window is shown on $DISPLAY."
else
  echo "The Glimmora window has not appeared on $DISPLAY yet." >&2
fi
# The program's own end is a normal close; the screen and the window manager follow it quietly.
status=0
wait "${pids[-1]}" || status=$?
unset 'pids[-1]'
exit "$status"
