#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "runtime/array/error.hpp"
#include "runtime/array/ops.hpp"
#include "runtime/call/console.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/globals.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/library.hpp"
#include "runtime/call/random.hpp"
#include "tests/error_text.hpp"

namespace {

using rt::Value;

class BuiltinsTest : public ::testing::Test {
protected:
    void SetUp() override { rt::array_library_initialize(); }
    void TearDown() override { rt::array_library_terminate(); }

    static std::vector<Value> call(const char* name, int nargout, std::vector<Value> args) {
        return rt::feval(name, nargout, args);
    }
    static std::string error_of(const char* name, int nargout, std::vector<Value> args) {
        return sys_test::error_of([&] { rt::feval(name, nargout, args); });
    }
};

TEST_F(BuiltinsTest, CountsAreCheckedOutputsFirst) {
    EXPECT_EQ(error_of("ischar", 1, {}), "Not enough input arguments.");
    EXPECT_EQ(error_of("ischar", 1, {1.0, 2.0}), "Too many input arguments.");
    EXPECT_EQ(error_of("ischar", 2, {1.0, 2.0}), "Too many output arguments.");
    EXPECT_EQ(error_of("size", 2, {1.0, 1.0}), "Too many output arguments.");
    // An input that holds nothing is refused by name, never read.
    EXPECT_NE(error_of("numel", 1, {Value()}).find("numel"), std::string::npos);
}

TEST_F(BuiltinsTest, SizeInItsThreeFormsAndConstructorsTakeASizeRow) {
    const Value m = Value::zeros(162, 2);
    EXPECT_TRUE(rt::isequal(call("size", 1, {m})[0], Value::row({162, 2})));
    const std::vector<Value> rc = call("size", 3, {m});
    EXPECT_EQ(std::tuple(rc[0][0], rc[1][0], rc[2][0]), std::tuple(162.0, 2.0, 1.0));
    EXPECT_EQ(call("size", 1, {m, 2.0})[0][0], 2.0);
    EXPECT_NE(error_of("size", 1, {m, Value::string("a")}), "");

    EXPECT_TRUE(rt::isequal(call("zeros", 1, {Value::row({162, 2})})[0], m));
    EXPECT_EQ(call("ones", 1, {3.0})[0].numel(), 9u);
    EXPECT_NE(error_of("zeros", 1, {Value::cell(1, 1)}), "");
    EXPECT_NE(error_of("rand", 1, {Value::string("ab")}), "");
}

TEST_F(BuiltinsTest, ErrorAndLasterrRoundTripAndTerminateRemovesNames) {
    EXPECT_FALSE(rt::guarded([] { rt::feval("error", 0, std::vector<Value>{Value::string("boom")}); }));
    EXPECT_EQ(call("lasterr", 1, {})[0].text(), "boom");
    EXPECT_NO_THROW(call("error", 0, {Value::string("")}));  // an empty message raises nothing

    rt::array_library_terminate();
    EXPECT_EQ(rt::resolve("plus"), nullptr);
    rt::array_library_initialize();
    EXPECT_EQ(rt::resolve("plus"), &rt::entry_plus);
}

TEST(Random, SeededSequenceIsTheTop53BitsOfTheTwister) {
    rt::seed_rand(42);
    std::mt19937_64 reference(42);
    for (int i = 0; i < 5; ++i) {
        const double expected = static_cast<double>(reference() >> 11) / 9007199254740992.0;
        EXPECT_EQ(rt::rand(), expected);
    }
    const Value m = rt::rand(2, 3);
    EXPECT_TRUE(rt::isequal(rt::size(m), Value::row({2, 3})));
    for (std::size_t i = 0; i < m.numel(); ++i) EXPECT_TRUE(m[i] >= 0.0 && m[i] < 1.0) << m[i];
    EXPECT_THROW(rt::rand(std::nan(""), 1), rt::Error);
}

// The draws come out of a block refilled every 312: across refills and after
// a seed given mid-block they stay the reference twister's.
TEST(Random, BlocksOfDrawsFollowTheTwisterAcrossRefillsAndReseeds) {
    for (const std::uint64_t seed : {0ULL, 5489ULL, 0xFFFFFFFFFFFFFFFFULL}) {
        rt::seed_rand(seed);
        std::mt19937_64 reference(seed);
        for (int i = 0; i < 1000; ++i) ASSERT_EQ(rt::rand(), static_cast<double>(reference() >> 11) * 0x1.0p-53) << i;
    }
}

TEST(Globals, SlotsAreFoundByNameAndReadOnlyOnceAssigned) {
    Value alpha = Value::absent();
    const rt::GlobalEntry table[] = {{"ALPHA", &alpha}};
    rt::set_global_table(table, 1);
    EXPECT_EQ(&rt::global_slot("ALPHA"), &alpha);
    EXPECT_THROW(rt::global_slot("DELTA"), rt::Error);
    EXPECT_EQ(sys_test::error_of([&] { rt::global_value(alpha, "ALPHA"); }), "Undefined function or variable 'ALPHA'.");
    rt::init_global(rt::global_slot("ALPHA")) = 0.5;
    EXPECT_EQ(rt::global_value(alpha, "ALPHA")[0], 0.5);
    rt::set_global_table(nullptr, 0);
}

}  // namespace
