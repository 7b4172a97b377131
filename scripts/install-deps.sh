#!/bin/sh
# Installs the Debian 12 packages the build, the program and the tests need,
# only those that are missing. Runs apt-get as root (through sudo otherwise).
set -eu

PACKAGES="
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev libgl-dev
  qt6-translations-l10n qt6-l10n-tools qt6-qpa-plugins qt6-image-formats-plugins
  libicu-dev libjpeg-dev libbenchmark-dev
  fonts-ipafont-gothic
  desktop-file-utils appstream shared-mime-info groff-base
  xvfb xauth
  strace util-linux
  clang-format-14 clang-tidy-14
"

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done

if [ -z "$missing" ]; then
  echo "install-deps: everything is installed"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "install-deps: installing$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
