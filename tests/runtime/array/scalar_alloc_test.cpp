// Scalar arithmetic on double values must never touch the heap: the learning
// run does it hundreds of thousands of times. This binary replaces the global
// allocation functions with counting ones.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "runtime/array/ops.hpp"

namespace {
std::size_t g_allocations = 0;
}

void* operator new(std::size_t n) {
    ++g_allocations;
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) { return operator new(n); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace rt {
namespace {

TEST(ScalarArithmetic, NeverAllocates) {
    Value x(0.01), v(-0.3), theta(0.05), w(0.2);
    const Value g(9.8), half(0.5), two(2.0), dt(0.02);
    double sink = 0;
    const std::size_t before = g_allocations;
    for (int i = 0; i < 1000; ++i) {
        Value s = sin(theta), c = cos(theta);
        Value t = mrdivide(plus(mtimes(g, s), mtimes(c, minus(Value(0.0), v))), two);
        Value sq = mpower(w, two);
        Value acc = minus(t, mtimes(half, sq));
        x = plus(x, mtimes(dt, v));
        v = plus(v, mtimes(dt, acc));
        theta = plus(theta, mtimes(dt, w));
        w = uminus(mtimes(w, Value(0.999)));
        Value flag = or_(lt(x, Value(-2.4)), gt(x, Value(2.4)));
        if (lt_bool(x, -2.4) || gt_bool(x, 2.4) || le_bool(theta, -0.2) || ge_bool(theta, 0.2) || eq_bool(sq, -1.0) ||
            ne_bool(sq, sq) || tobool(flag) || tobool(not_(flag)) || tobool(and_(eq(x, x), ne(x, v))))
            sink += 1;
        sink += array_ref1(Value(sq), 1.0);
    }
    const std::size_t after = g_allocations;
    EXPECT_EQ(after - before, 0u);
    EXPECT_GT(sink, 0);
}

// A learning step builds three rows of up to four numbers and drops them:
// once the first have been freed, the next come from the recycled blocks.
TEST(SmallRows, ComeFromRecycledBlocks) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer build frees every block, to see each use after free";
#endif
    double sink = 0;
    {
        // As many blocks as one pass of the loop below holds at a time.
        const Value warm[] = {Value::row({1, 2}), Value::row({1, 2, 3, 4}), Value::empty()};
        sink += warm[0][0];
    }
    const std::size_t before = g_allocations;
    for (int i = 0; i < 1000; ++i) {
        Value x = make_numeric(ClassId::Double, 1, 2);
        x.mutable_data()[1] = i;
        Value place = make_numeric(ClassId::Double, 1, 4);
        place.mutable_data()[3] = i;
        Value shared = place;
        Value empty = Value::empty();
        sink += x[1] + shared[3] + static_cast<double>(empty.numel());
    }
    EXPECT_EQ(g_allocations - before, 0u);
    EXPECT_GT(sink, 0);
}

}  // namespace
}  // namespace rt
