#!/bin/sh
# The whole test suite built with AddressSanitizer (leak detection included)
# and UndefinedBehaviorSanitizer into build-asan/; the first finding stops the
# test that made it. -O1 and minimal debug information (line tables) keep the build and the run short
# while the reports still name file and line.
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DQUORBELL_SANITIZE=ON -DQUORBELL_BENCH=OFF "$@"
cmake --build build-asan -j"$(nproc)"
ASAN_OPTIONS="halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1" \
UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1" \
LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0" \
QT_QPA_PLATFORM=offscreen \
  ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
