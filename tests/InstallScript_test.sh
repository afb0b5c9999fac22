#!/usr/bin/env bash
# scripts/install.sh installs a program folder whatever its name holds, and an application-menu
# entry the desktop accepts that starts exactly that folder's program.
#   InstallScript_test.sh BUILD_PROGRAM_FOLDER SOURCE_DIR
set -euo pipefail
app="$1"
root="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
dest="$work/my \$pro\"gram\\folder"
XDG_DATA_HOME="$work/share" "$root/scripts/install.sh" "$app" "$dest" >/dev/null
[ -x "$dest/glimmora" ]
entry="$work/share/applications/glimmora.desktop"
desktop-file-validate "$entry"
# The Exec value, unescaped as the desktop reads it, names the installed program.
want="Exec=\"$work/my \\\\\$pro\\\\\"gram\\\\\\\\folder/glimmora\""
got="$(grep '^Exec=' "$entry")"
[ "$got" = "$want" ] || { echo "Exec line: $got"; echo "expected:  $want"; exit 1; }
[ -s "$work/share/icons/hicolor/scalable/apps/glimmora.svg" ]
