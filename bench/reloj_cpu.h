#pragma once
// The thread's CPU time, for the benchmarks: the machine may be shared, and other work must not
// count.

#include <time.h>

namespace velmora::banco {

inline double MilisegundosCpu() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return 1e3 * static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_nsec);
}

} // namespace velmora::banco
