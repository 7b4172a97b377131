#!/bin/sh
# Fails on any line of the C++ sources that clang-format 14 would change
# (the rules are in .clang-format). Fix with: clang-format-14 -i FILE...
set -eu
cd "$(dirname "$0")/.."
find src tests tools bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
  sort -z | xargs -0 clang-format-14 --dry-run --Werror
echo "check-format: every file is formatted"
