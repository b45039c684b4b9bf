#pragma once

#include <cstdio>
#include <cstdlib>

/// Stops the run with a crash report when a promise of the code under test is broken, so that
/// libFuzzer keeps the input; the report names the promise.
#define FUZZ_REQUIRE(holds) ((holds) ? void(0) : BrokenPromise(#holds, __FILE__, __LINE__))

[[noreturn]] inline void BrokenPromise(const char* promise, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: broken: %s\n", file, line, promise);
    std::abort();
}
