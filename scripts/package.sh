#!/bin/sh
# Installs what is missing, builds, and makes the Debian package
# build/quorbell_<version>_<arch>.deb. Arguments go to the CMake configure step.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh "$@"
cd build
cpack -G DEB
echo "package: $(pwd)/$(ls quorbell_*.deb)"
