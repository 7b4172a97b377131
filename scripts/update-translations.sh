#!/bin/sh
# Brings translations/quorbell_en.ts up to date with the texts in src/: new
# texts arrive as unfinished entries to translate, texts no longer in the code
# are dropped. The catalogue test runs the same command into a scratch file.
set -eu
cd "$(dirname "$0")/.."
LUPDATE="${LUPDATE:-$(command -v lupdate || echo /usr/lib/qt6/bin/lupdate)}"
"$LUPDATE" -silent -I src -locations none -no-obsolete \
  -source-language ja_JP -target-language en_US src -ts translations/quorbell_en.ts
