#pragma once

#include <cstdlib>
#include <string>

namespace kelmora::bench {

// KELMORA_BENCH_SCALE divides the benchmark sizes, so the suite can run them small.
inline std::size_t Scaled(std::size_t size)
{
    const char* scale = std::getenv("KELMORA_BENCH_SCALE");
    const long divisor = scale ? std::atol(scale) : 1;
    return divisor > 1 ? (size + static_cast<std::size_t>(divisor) - 1) / static_cast<std::size_t>(divisor) : size;
}

} // namespace kelmora::bench
