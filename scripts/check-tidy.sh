#!/bin/sh
# Runs clang-tidy 14 with the checks in .clang-tidy over the program's own
# source files (src/, tools/, fuzz/ and their headers) in a build folder's
# compile_commands.json (build/ unless given), two files at a time. Any
# finding fails the step. The test and benchmark sources are left out to
# keep the step short: the analyzer takes seconds per file. The build folder
# must have been built, since the tidy run reads the generated moc files.
set -eu
cd "$(dirname "$0")/.."
build="${1:-build}"
ours="^$(pwd)/(src|tools|fuzz)/"
log="$build/clang-tidy.log"
status=0
run-clang-tidy-14 -p "$build" -j 2 -quiet -header-filter="$ours" "$ours" >"$log" 2>&1 || status=$?
# run-clang-tidy always asks for colours: strip them before looking.
if sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^/[^ ]*:[0-9]+:[0-9]+: (warning|error):' |
  sort -u | grep .; then
  echo "check-tidy: findings above (whole log in $log)"
  exit 1
fi
if [ "$status" -ne 0 ]; then
  tail -n 30 "$log"
  echo "check-tidy: clang-tidy failed (whole log in $log)"
  exit 1
fi
echo "check-tidy: no findings"
