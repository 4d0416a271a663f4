#pragma once
// A fuzz target's check: a broken one aborts, which libFuzzer reports with the input.

#include <cstdlib>

inline void Exigir(bool condicion) {
    if (!condicion) std::abort();
}
