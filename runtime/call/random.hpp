#pragma once
// The runtime's uniform random generator: a 64-bit Mersenne Twister giving
// doubles in [0, 1). It starts from a fresh seed in every process unless
// seed_rand is called (the command line's --seed).

#include <cstdint>

#include "runtime/array/value.hpp"

namespace rt {

double rand();
// rows-by-cols of draws, column by column.
Value rand(double rows, double cols);
void seed_rand(std::uint64_t seed);

}  // namespace rt
