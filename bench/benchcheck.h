#pragma once
// A set-up step that did not reach its file makes every figure after it meaningless: the
// benchmark stops with one line naming the step.
#include <cstdio>
#include <cstdlib>

inline void Require(bool ok, const char* step)
{
    if (!ok) {
        std::fprintf(stderr, "set-up failed: %s\n", step);
        std::exit(1);
    }
}
