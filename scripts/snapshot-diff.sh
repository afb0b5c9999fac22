#!/usr/bin/env bash
# Compares what this checkout shows and writes with what BASE_REV does: builds glimmora_snapshot
# of both (BASE_REV in a temporary git worktree), runs them over the same work folder and diffs
# each mode. Exit 0 when the captions and the files written are the same, 1 when they differ
# (the diff is shown), 2 when BASE_REV has no glimmora_snapshot. The questions asked are diffed
# too, for the reader; they do not decide.
# GLIMMORA_JOBS=N builds on N cores; the checkout builds in build/ (or $SNAPSHOT_BUILD).
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "usage: scripts/snapshot-diff.sh BASE_REV" >&2
  exit 64
fi
repo="$(cd "$(dirname "$0")/.." && pwd)"
base_rev="$1"
git -C "$repo" rev-parse --verify --quiet "$base_rev^{commit}" >/dev/null || {
  echo "snapshot-diff: no such revision: $base_rev" >&2
  exit 64
}
# Under the checkout (build* is ignored there), and built as the checkout is (sources in ./src,
# objects in ./build), so that ccache with CCACHE_BASEDIR=/work sees the same relative paths and
# reuses the compiles of every file the two revisions share.
tmp="$(mktemp -d "$repo/build-snapshot-diff.XXXXXX")"
cleanup() {
  git -C "$repo" worktree remove --force "$tmp/base" >/dev/null 2>&1 || true
  rm -rf "$tmp"
}
trap cleanup EXIT
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-/work}" CCACHE_NOHASHDIR=1

git -C "$repo" worktree add --quiet --detach "$tmp/base" "$base_rev"
if ! grep -qs "glimmora_snapshot" "$tmp/base/CMakeLists.txt" "$tmp/base/tests/CMakeLists.txt"; then
  echo "snapshot-diff: $base_rev has no glimmora_snapshot" >&2
  exit 2
fi

build_tool() {  # checkout folder, build folder
  echo "snapshot-diff: building glimmora_snapshot in $2" >&2
  (cd "$1" && GLIMMORA_TARGET=glimmora_snapshot scripts/build.sh "$2" >/dev/null)
}
build_tool "$tmp/base" "$tmp/base/build"
current_build="${SNAPSHOT_BUILD:-$repo/build}"
build_tool "$repo" "$current_build"

# Both runs use the same work folder: the paths the program writes into its files then match.
run_tool() {  # tool, output
  GLIMMORA_SNAPSHOT_DIR="$tmp/work" QT_QPA_PLATFORM=offscreen "$1" all >"$2" 2>"$2.err" || {
    echo "snapshot-diff: $1 failed:" >&2
    cat "$2.err" >&2
    exit 1
  }
}
run_tool "$tmp/base/build/glimmora_snapshot" "$tmp/base.txt"
run_tool "$current_build/glimmora_snapshot" "$tmp/current.txt"

status=0
for mode in captions writes messages; do
  grep "^$mode " "$tmp/base.txt" >"$tmp/base.$mode" || true
  grep "^$mode " "$tmp/current.txt" >"$tmp/current.$mode" || true
  if diff -u --label "$base_rev ($mode)" --label "checkout ($mode)" "$tmp/base.$mode" "$tmp/current.$mode"; then
    echo "snapshot-diff: $mode: the same ($(wc -l <"$tmp/current.$mode") lines)"
  else
    echo "snapshot-diff: $mode: DIFFERENT"
    [ "$mode" = messages ] || status=1
  fi
done
exit "$status"
