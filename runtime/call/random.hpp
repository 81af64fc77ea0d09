#pragma once
// The runtime's uniform random generator: the standard 64-bit Mersenne
// Twister (std::mt19937_64) giving doubles in [0, 1), the top 53 bits of each
// output scaled by 2^-53. It starts from a
// fresh seed in every process unless seed_rand is called (the command line's
// --seed).
//
// The draws are made 312 at a time into a block (the twister's own batch),
// so a draw is one inline read of that block; the block is refilled out of
// line when it runs out.

#include <cstddef>
#include <cstdint>

#include "runtime/array/value.hpp"

namespace rt {

namespace detail {
inline constexpr std::size_t kTwisterWords = 312;
struct RandomDraws {
    double next[kTwisterWords];
    std::size_t used = kTwisterWords;  // all used: the first draw fills the block
};
inline RandomDraws random_draws;
// Advances the twister (seeding it first if nothing has) and fills the block.
void refill_random_draws();
}  // namespace detail

inline double rand() {
    detail::RandomDraws& d = detail::random_draws;
    if (d.used == detail::kTwisterWords) [[unlikely]]
        detail::refill_random_draws();
    return d.next[d.used++];
}
// rows-by-cols of draws, column by column.
Value rand(double rows, double cols);
void seed_rand(std::uint64_t seed);

}  // namespace rt
