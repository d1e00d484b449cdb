#pragma once
// A broken invariant stops the fuzzer at once, with a line saying which one, so that libFuzzer
// keeps the input as a crash artifact.
#include <cstdio>

namespace korvane::fuzz {

inline void Require(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    __builtin_trap();
}

} // namespace korvane::fuzz
