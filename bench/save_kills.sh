#!/usr/bin/env bash
# Kills a save of every icon of a file at points tied to its progress (the Nth write(2), through
# strace's fault injection, for N spread over the whole save) and counts the files left under a
# final name that differ from a whole save's, and the hidden files left beside them.
#
#   bench/save_kills.sh [BUILD_DIR] [KILLS] [ICONS]
set -euo pipefail
build="${1:-build}"
kills="${2:-40}"
icons="${3:-200}"
command -v strace >/dev/null || { echo "strace is missing (apt-get install strace)" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/make_icon_pe" "$icons" "$work/icons.dll" >/dev/null
"$build/bench/save_bench" --max 0 --only ICO "$work/icons.dll" "$work/whole" >/dev/null
writes=$(strace -f -c -e trace=write -o "$work/count" \
  "$build/bench/save_bench" --max 0 --only ICO "$work/icons.dll" "$work/counted" >/dev/null &&
  awk '$NF == "write" {print $4}' "$work/count")
partial=0 partialKills=0 hidden=0
for ((k = 1; k <= kills; k++)); do
  n=$(((k * writes) / (kills + 1) + 1))
  out="$work/k$k"
  (strace -f -o /dev/null -e trace=write -e inject=write:signal=KILL:when="$n" \
    "$build/bench/save_bench" --max 0 --only ICO "$work/icons.dll" "$out" >/dev/null 2>&1 || true) 2>/dev/null
  bad=0
  for f in "$out"/*; do
    [ -f "$f" ] || continue
    name="${f##*/}"
    [ -f "$work/whole/$name" ] && ! cmp -s "$f" "$work/whole/$name" && bad=$((bad + 1))
  done
  partial=$((partial + bad))
  [ "$bad" -gt 0 ] && partialKills=$((partialKills + 1))
  hidden=$((hidden + $(find "$out" -maxdepth 1 -name '.*' -type f | wc -l)))
done
echo "$kills kills over $writes writes: $partialKills left a partial file under a final name ($partial files); $hidden hidden files left"
