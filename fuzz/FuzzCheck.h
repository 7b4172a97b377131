// The fuzz targets' invariant check: a broken one names itself on stderr and
// aborts, which both libFuzzer and the test suite's corpus replay report.
#pragma once

#include <cstdio>
#include <cstdlib>

#define QUORBELL_FUZZ_CHECK(condition)                                                             \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: fuzz invariant broken: %s\n", __FILE__, __LINE__,         \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
