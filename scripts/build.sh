#!/bin/sh
# Configures and builds into build/ (the program, quorbell-cli, the tests,
# the data folder and the demo).
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build -j"$(nproc)"
