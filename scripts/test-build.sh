#!/bin/sh
# The normal build (build/) and its whole test suite, headless.
set -eu
cd "$(dirname "$0")/.."
scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j"$(nproc)"
