#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/array/error.hpp"
#include "runtime/call/feval.hpp"
#include "runtime/call/guard.hpp"
#include "runtime/call/library.hpp"

namespace {

class BuiltinsTest : public ::testing::Test {
protected:
    void SetUp() override { rt::array_library_initialize(); }
    void TearDown() override { rt::array_library_terminate(); }

    static std::vector<rt::Value> call(const char* name, int nargout, std::vector<rt::Value> args) {
        return rt::feval(name, nargout, args);
    }
    static std::string error_of(const char* name, int nargout, std::vector<rt::Value> args) {
        try {
            rt::feval(name, nargout, args);
        } catch (const rt::Error& e) {
            return e.message();
        }
        return "";
    }
};

TEST_F(BuiltinsTest, CountsAreCheckedOutputsFirst) {
    EXPECT_EQ(error_of("ischar", 1, {}), "Not enough input arguments.");
    EXPECT_EQ(error_of("ischar", 1, {1.0, 2.0}), "Too many input arguments.");
    EXPECT_EQ(error_of("ischar", 2, {1.0, 2.0}), "Too many output arguments.");
    EXPECT_EQ(error_of("disp", 1, {1.0}), "Too many output arguments.");
    EXPECT_EQ(error_of("plus", 1, {1.0}), "Not enough input arguments.");
    EXPECT_EQ(error_of("size", 2, {1.0, 1.0}), "Too many output arguments.");
    // An input that holds nothing is refused by name, never read.
    EXPECT_NE(error_of("numel", 1, {rt::Value()}).find("numel"), std::string::npos);
}

TEST_F(BuiltinsTest, SizeInItsThreeForms) {
    const rt::Value m = rt::Value::zeros(162, 2);
    const rt::Value whole = call("size", 1, {m})[0];
    EXPECT_EQ(whole.numel(), 2u);
    EXPECT_EQ(whole[0], 162.0);
    EXPECT_EQ(whole[1], 2.0);
    std::vector<rt::Value> rc = call("size", 3, {m});
    EXPECT_EQ(rc[0][0], 162.0);
    EXPECT_EQ(rc[1][0], 2.0);
    EXPECT_EQ(rc[2][0], 1.0);
    EXPECT_EQ(call("size", 1, {m, 2.0})[0][0], 2.0);
    EXPECT_FALSE(error_of("size", 1, {m, rt::Value::string("a")}).empty());
}

TEST_F(BuiltinsTest, ConstructorsTakeASizeRowOrNumbersOnly) {
    const rt::Value rect = call("zeros", 1, {rt::Value::row({162, 2})})[0];
    EXPECT_EQ(rect.rows(), 162u);
    EXPECT_EQ(rect.cols(), 2u);
    EXPECT_EQ(call("ones", 1, {3.0})[0].numel(), 9u);
    EXPECT_FALSE(error_of("zeros", 1, {rt::Value::cell(1, 1)}).empty());
    EXPECT_FALSE(error_of("rand", 1, {rt::Value::string("ab")}).empty());
}

TEST_F(BuiltinsTest, ErrorAndLasterrRoundTrip) {
    EXPECT_FALSE(rt::guarded([] { rt::feval("error", 0, std::vector<rt::Value>{rt::Value::string("boom")}); }));
    EXPECT_EQ(call("lasterr", 1, {})[0].text(), "boom");
    // An empty message raises nothing.
    EXPECT_NO_THROW(call("error", 0, {rt::Value::string("")}));
}

TEST_F(BuiltinsTest, TerminateRemovesEveryName) {
    rt::array_library_terminate();
    EXPECT_EQ(rt::resolve("plus"), nullptr);
    rt::array_library_initialize();
    EXPECT_EQ(rt::resolve("plus"), &rt::entry_plus);
}

}  // namespace
