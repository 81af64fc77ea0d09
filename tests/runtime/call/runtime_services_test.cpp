#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>

#include "runtime/array/error.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/globals.hpp"
#include "runtime/call/random.hpp"
#include "tests/error_text.hpp"

namespace {

TEST(Random, SeededSequenceIsTheTop53BitsOfTheTwister) {
    rt::seed_rand(42);
    std::mt19937_64 reference(42);
    for (int i = 0; i < 5; ++i) {
        const double expected = static_cast<double>(reference() >> 11) / 9007199254740992.0;
        EXPECT_EQ(rt::rand(), expected);
    }
    rt::seed_rand(42);
    const double first = rt::rand();
    const rt::Value m = rt::rand(2, 3);
    EXPECT_EQ(m.rows(), 2u);
    EXPECT_EQ(m.cols(), 3u);
    for (std::size_t i = 0; i < m.numel(); ++i) EXPECT_TRUE(m[i] >= 0.0 && m[i] < 1.0) << m[i];
    rt::seed_rand(42);
    EXPECT_EQ(rt::rand(), first);
    EXPECT_THROW(rt::rand(std::nan(""), 1), rt::Error);
}

TEST(Globals, SlotsAreFoundByNameAndReadOnlyOnceAssigned) {
    rt::Value alpha = rt::Value::absent();
    const rt::GlobalEntry table[] = {{"ALPHA", &alpha}};
    rt::set_global_table(table, 1);
    EXPECT_EQ(&rt::global_slot("ALPHA"), &alpha);
    EXPECT_THROW(rt::global_slot("DELTA"), rt::Error);
    EXPECT_EQ(sys_test::error_of([&] { rt::global_value(alpha, "ALPHA"); }), "Undefined function or variable 'ALPHA'.");
    rt::init_global(rt::global_slot("ALPHA")) = 0.5;
    EXPECT_EQ(rt::global_value(alpha, "ALPHA")[0], 0.5);
    rt::set_global_table(nullptr, 0);
}

TEST(Console, DisplayLinesTextAndWarningsGoWhereRedirected) {
    std::ostringstream out, warn;
    std::ostream* old_out = rt::set_console(&out);
    std::ostream* old_warn = rt::set_warning_stream(&warn);
    rt::print_array(0.5, "ALPHA");
    rt::disp(rt::Value::string("figure1 ResizeFcn not implemented yet."));
    rt::disp(rt::Value::row({1, 2}));
    rt::print_ans(rt::Value::string("AutoSelect"));
    rt::warning("careful");
    rt::set_console(old_out);
    rt::set_warning_stream(old_warn);
    EXPECT_EQ(out.str(), "ALPHA = 0.5\nfigure1 ResizeFcn not implemented yet.\n[1 2]\nans = 'AutoSelect'\n");
    EXPECT_EQ(warn.str(), "Warning: careful\n");
}

}  // namespace
