#!/usr/bin/env bash
# Compares the save of every icon of a file as .ico (save_bench) with `wrestool -x --raw -t 3`
# (Debian's icoutils) writing the same file's icon resources, in the same run: rounds alternate
# between the two, each into a folder of its own after a sync, and the medians are compared. The
# folders are removed only at the end: files deleted just before make the file system's search for
# a free inode slow for whoever creates next.
#
#   bench/save_rate.sh [BUILD_DIR] [ROUNDS] [ICONS]
#
# The file is made by make_icon_pe (ICONS icon resources, 1840 by default, as many as a large
# system library holds).
set -euo pipefail
build="${1:-build}"
rounds="${2:-7}"
icons="${3:-1840}"
command -v wrestool >/dev/null || { echo "wrestool is missing (apt-get install icoutils)" >&2; exit 2; }
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bench/make_icon_pe" "$icons" "$work/icons.dll" >/dev/null
ours=() theirs=()
for ((i = 0; i < rounds; i++)); do
  mkdir "$work/w$i"
  sync
  t0=$(date +%s.%N)
  wrestool -x --raw -t 3 -o "$work/w$i" "$work/icons.dll"
  t1=$(date +%s.%N)
  written=$(ls "$work/w$i" | wc -l)
  theirs+=("$(awk -v n="$written" -v a="$t0" -v b="$t1" 'BEGIN {print n / (b - a)}')")
  sync
  ours+=("$("$build/bench/save_bench" --max 0 --only ICO "$work/icons.dll" "$work/s$i" |
            sed -n 's/.* = \([0-9.]*\) icons\/s.*/\1/p')")
done
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
m_ours=$(median "${ours[@]}")
m_theirs=$(median "${theirs[@]}")
printf 'save_bench ICO: %.0f icons/s, wrestool: %.0f icons/s (medians of %d rounds), ratio %.2f\n' \
  "$m_ours" "$m_theirs" "$rounds" "$(awk -v a="$m_ours" -v b="$m_theirs" 'BEGIN {print a / b}')"
