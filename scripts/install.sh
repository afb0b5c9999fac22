#!/usr/bin/env bash
# Installs the built program folder (default build/Glimmora) into the user's program folder
# (default ${XDG_DATA_HOME:-$HOME/.local/share}/glimmora) and prints that folder.
# An update replaces the executable and the files we ship: IconHead.dat, the help pages and the
# language texts (keeping the language the user chose, which lives in their first byte). What the
# user made or changed stays: libraries, the icon clipboard, Glimmora.cfg and the web-site list
# (installed only when there is none yet).
set -euo pipefail
src="${1:-build/Glimmora}"
dest="${2:-${XDG_DATA_HOME:-$HOME/.local/share}/glimmora}"
for f in glimmora IconHead.dat chglangs.dat chglangl.dat WebSiteLib/HomePage.Lib help/index.html; do
  [ -f "$src/$f" ] || { echo "install.sh: $src/$f is missing; build first (scripts/build.sh build)" >&2; exit 1; }
done
# The first install takes over the build's own program folder whole: libraries, the icon clipboard
# and settings made there before the program had a folder of its own move along with it.
if [ ! -e "$dest" ]; then
  mkdir -p "$(dirname "$dest")"
  cp -a "$src" "$dest"
fi
mkdir -p "$dest/WebSiteLib" "$dest/IconLib"

# Each file goes in under a temporary name and is renamed over the old one, so a copy of the
# program that is running keeps its executable and nobody sees a half-written file.
put() {  # put SOURCE TARGET
  local tmp="$2.install$$"
  cp -f "$1" "$tmp"
  mv -f "$tmp" "$2"
}

put "$src/glimmora" "$dest/glimmora"
put "$src/IconHead.dat" "$dest/IconHead.dat"
for f in chglangs.dat chglangl.dat; do
  tmp="$dest/$f.install$$"
  cp -f "$src/$f" "$tmp"
  # The first byte is the user's language choice; only a regular file is read for it.
  if [ -f "$dest/$f" ] && [ ! -L "$dest/$f" ] && [ -s "$dest/$f" ]; then
    dd if="$dest/$f" of="$tmp" bs=1 count=1 conv=notrunc status=none
  fi
  mv -f "$tmp" "$dest/$f"
done
rm -rf "$dest/help.install$$"
cp -R "$src/help" "$dest/help.install$$"
rm -rf "$dest/help.old$$"
[ -d "$dest/help" ] && mv "$dest/help" "$dest/help.old$$"
mv "$dest/help.install$$" "$dest/help"
rm -rf "$dest/help.old$$"
# The web-site list is the user's as soon as it is shipped: it is edited in the program.
[ -e "$dest/WebSiteLib/HomePage.Lib" ] || put "$src/WebSiteLib/HomePage.Lib" "$dest/WebSiteLib/HomePage.Lib"

# The desktop's application menu: an entry that starts this program folder's executable, and the
# program's icon.
share="${XDG_DATA_HOME:-$HOME/.local/share}"
if [ -f "$src/glimmora.desktop" ] && mkdir -p "$share/applications" "$share/icons/hicolor/scalable/apps"; then
  # The executable's path as one quoted argument of the Exec key: inside the quotes a quote,
  # backquote or dollar is escaped with a backslash and a backslash with another, and every
  # backslash is doubled once more as the key's value is itself escaped.
  exec_path="$(printf '%s' "$dest/glimmora" | sed -e 's/\\/\\\\\\\\/g' -e 's/["`$]/\\\\&/g')"
  tmp="$share/applications/glimmora.desktop.install$$"
  EXEC_LINE="Exec=\"$exec_path\"" awk '{ if ($0 == "Exec=@EXEC@") print ENVIRON["EXEC_LINE"]; else print }' \
    "$src/glimmora.desktop" >"$tmp"
  mv -f "$tmp" "$share/applications/glimmora.desktop"
  put "$src/glimmora.svg" "$share/icons/hicolor/scalable/apps/glimmora.svg"
fi
echo "$dest"
