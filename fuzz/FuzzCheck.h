#pragma once
// A broken invariant stops the fuzzer at once, and libFuzzer keeps the input as a crash.

#include <cstdio>

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                    \
            __builtin_trap();                                                                                          \
        }                                                                                                              \
    } while (0)
