#!/bin/sh
# Installs what is missing, builds, and starts the program on the demo container.
set -eu
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
demo=build/share/quorbell/demo/デモ.cov
if [ -f "$demo" ]; then
  exec build/bin/quorbell "$demo"
fi
exec build/bin/quorbell
