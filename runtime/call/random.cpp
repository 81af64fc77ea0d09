#include "runtime/call/random.hpp"

#include <cmath>
#include <random>

#include "runtime/array/error.hpp"

namespace rt {

namespace {

// MT19937-64: 312 words of state, the middle word 156, the lower 31 bits.
constexpr std::size_t kN = detail::kTwisterWords, kM = 156;
constexpr std::uint64_t kMatrix = 0xB5026F5AA96619E9ULL;
constexpr std::uint64_t kUpper = ~std::uint64_t{0} << 31, kLower = ~kUpper;

struct Twister {
    std::uint64_t state[kN];
    bool seeded = false;

    void seed(std::uint64_t value) {
        state[0] = value;
        for (std::size_t i = 1; i < kN; ++i)
            state[i] = 6364136223846793005ULL * (state[i - 1] ^ (state[i - 1] >> 62)) + i;
        seeded = true;
    }
    static std::uint64_t twist(std::uint64_t high, std::uint64_t low, std::uint64_t far) {
        const std::uint64_t y = (high & kUpper) | (low & kLower);
        return far ^ (y >> 1) ^ ((y & 1) ? kMatrix : 0);
    }
    // The next 312 words, in place.
    void advance() {
        for (std::size_t k = 0; k < kN - kM; ++k) state[k] = twist(state[k], state[k + 1], state[k + kM]);
        for (std::size_t k = kN - kM; k < kN - 1; ++k) state[k] = twist(state[k], state[k + 1], state[k + kM - kN]);
        state[kN - 1] = twist(state[kN - 1], state[0], state[kM - 1]);
    }
    static std::uint64_t temper(std::uint64_t z) {
        z ^= (z >> 29) & 0x5555555555555555ULL;
        z ^= (z << 17) & 0x71D67FFFEDA60000ULL;
        z ^= (z << 37) & 0xFFF7EEE000000000ULL;
        return z ^ (z >> 43);
    }
};

Twister twister;

std::size_t dimension(double d) {
    if (std::isnan(d)) raise("Size arguments must be real numbers, not NaN.");
    if (d > 1e8) raise("Requested array exceeds the maximum array size.");
    return d <= 0 ? 0 : static_cast<std::size_t>(d);
}

}  // namespace

void detail::refill_random_draws() {
    if (!twister.seeded) [[unlikely]] {
        std::random_device device;
        twister.seed((static_cast<std::uint64_t>(device()) << 32) ^ device());
    }
    twister.advance();
    // The top 53 bits scaled by 2^-53, rather than a standard-library
    // distribution, so the numbers are the same with every library.
    for (std::size_t i = 0; i < kN; ++i)
        random_draws.next[i] = static_cast<double>(Twister::temper(twister.state[i]) >> 11) * 0x1.0p-53;
    random_draws.used = 0;
}

Value rand(double rows, double cols) {
    const std::size_t r = dimension(rows), c = dimension(cols);
    if (static_cast<double>(r) * static_cast<double>(c) > 1e8) raise("Requested array exceeds the maximum array size.");
    Value out = Value::zeros(r, c);
    double* d = out.mutable_data();
    for (std::size_t i = 0; i < r * c; ++i) d[i] = rand();
    return out;
}

void seed_rand(std::uint64_t seed) {
    twister.seed(seed);
    detail::random_draws.used = detail::kTwisterWords;
}

}  // namespace rt
