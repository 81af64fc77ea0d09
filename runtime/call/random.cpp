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

std::mt19937_64& engine() {
    if (!generator.seeded) [[unlikely]] {
        std::random_device device;
        generator.engine.seed((static_cast<std::uint64_t>(device()) << 32) ^ device());
        generator.seeded = true;
    }
    return generator.engine;
}

std::size_t dimension(double d) {
    if (std::isnan(d)) raise("Size arguments must be real numbers, not NaN.");
    if (d > 1e8) raise("Requested array exceeds the maximum array size.");
    return d <= 0 ? 0 : static_cast<std::size_t>(d);
}

}  // namespace

double rand() {
    // The top 53 bits scaled by 2^-53, rather than a standard-library
    // distribution, so the numbers are the same with every library.
    return static_cast<double>(engine()() >> 11) * 0x1.0p-53;
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
}

}  // namespace rt
