#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screen checks need (as root).
set -euo pipefail
packages=(
  g++ cmake ninja-build pkg-config ccache
  qt6-base-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth x11-utils openbox xdotool imagemagick
  fonts-dejavu-core fonts-wqy-microhei
  # Metafile text: the metric twins of the Windows text fonts (Sans Narrow comes only with the
  # first series), and a font with the symbol fonts' pictograms.
  fonts-liberation fonts-liberation2 fonts-symbola
  shared-mime-info qt6-translations-l10n
  # The application-menu entry is checked by the tests.
  desktop-file-utils
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
