#!/bin/sh
# Everything CI checks, each phase a script of its own that also runs alone:
# installs what is missing, builds and runs every test headless, builds and
# runs every test again under the sanitizers, checks the formatting and runs
# clang-tidy. Stops at the first failing phase; prints how long each took.
set -eu
cd "$(dirname "$0")/.."

phase() {
  name="$1"
  shift
  start=$(date +%s)
  echo "=== $name"
  "$@"
  echo "=== $name: $(($(date +%s) - start)) s"
}

phase "install dependencies" scripts/install-deps.sh
phase "build and test" scripts/test-build.sh
phase "sanitizer build and test" scripts/test-sanitize.sh
phase "formatting" scripts/check-format.sh
phase "clang-tidy" scripts/check-tidy.sh build
