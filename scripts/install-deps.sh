#!/usr/bin/env bash
# Installs everything Quorvex needs to build, test and run on Debian 12.
# Packages already present are skipped, so a second run costs seconds.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev qt6-pdf-dev
  libqt6svg6 libqt6opengl6-dev libgl-dev
  libxlsxwriter-dev zlib1g-dev
  libhunspell-dev hunspell-en-us
  libgtest-dev googletest
  xvfb xauth
  libreoffice-calc-nogui libreoffice-writer-nogui
  fonts-liberation fonts-dejavu-core
  qt6-qpa-plugins
  ccache
  lintian desktop-file-utils appstream shared-mime-info librsvg2-bin file xdg-utils
  libwmf-bin fonts-urw-base35 libreoffice-draw-nogui
  poppler-utils unzip
  libqpdf-dev libzip-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; fi
echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
