#include "runtime/call/random.hpp"

#include <cmath>
#include <random>

#include "runtime/array/error.hpp"

namespace rt {

namespace {

struct Generator {
    std::mt19937_64 engine;
    bool seeded = false;
};

Generator generator;

std::size_t dimension(double d) {
    if (std::isnan(d)) raise("Size arguments must be real numbers, not NaN.");
    if (d > 1e8) raise("Requested array exceeds the maximum array size.");
    return d <= 0 ? 0 : static_cast<std::size_t>(d);
}

}  // namespace

void detail::refill_random_draws() {
    if (!generator.seeded) [[unlikely]] {
        std::random_device device;
        generator.engine.seed((static_cast<std::uint64_t>(device()) << 32) ^ device());
        generator.seeded = true;
    }
    // The top 53 bits scaled by 2^-53, rather than a standard-library
    // distribution, so the numbers are the same with every library.
    for (double& draw : random_draws.next) draw = static_cast<double>(generator.engine() >> 11) * 0x1.0p-53;
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
    generator.engine.seed(seed);
    generator.seeded = true;
    detail::random_draws.used = detail::kTwisterWords;
}

}  // namespace rt
