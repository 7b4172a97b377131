#!/bin/sh
# Runs clang-tidy 14 with the checks in .clang-tidy over every project source
# file of a build folder's compile_commands.json (build/ unless given), two
# files at a time. Any finding fails the step. The build folder must have been
# built: the tidy run reads the generated moc files.
set -eu
cd "$(dirname "$0")/.."
build="${1:-build}"
ours="^$(pwd)/(src|tests|tools|bench|fuzz)/"
run-clang-tidy-14 -p "$build" -j 2 -quiet -warnings-as-errors='*' \
  -header-filter="$ours" "$ours" >"$build/clang-tidy.log" 2>&1 || {
  grep -E 'warning:|error:' "$build/clang-tidy.log" | sort -u
  echo "check-tidy: findings above (whole log in $build/clang-tidy.log)"
  exit 1
}
echo "check-tidy: no findings"
