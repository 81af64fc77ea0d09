#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "runtime/array/error.hpp"
#include "runtime/call/console.hpp"
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

TEST_F(BuiltinsTest, ClassQueries) {
    EXPECT_EQ(call("ischar", 1, {rt::Value::string("a")})[0][0], 1.0);
    EXPECT_EQ(call("isstr", 1, {1.0})[0][0], 0.0);
    EXPECT_EQ(call("isnumeric", 1, {1.0})[0][0], 1.0);
    EXPECT_EQ(call("isnumeric", 1, {rt::Value::string("a")})[0][0], 0.0);
    EXPECT_EQ(call("isnumeric", 1, {rt::Value::logical(true)})[0][0], 0.0);
    EXPECT_EQ(call("class", 1, {rt::Value::cell(1, 1)})[0].text(), "cell");
    EXPECT_EQ(call("isequal", 1, {1.0, 1.0, 1.0})[0][0], 1.0);
    EXPECT_EQ(call("isequal", 1, {1.0, 1.0, 2.0})[0][0], 0.0);
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

TEST_F(BuiltinsTest, ShapesOfConstructors) {
    EXPECT_EQ(call("zeros", 1, {})[0].numel(), 1u);
    const rt::Value square = call("ones", 1, {3.0})[0];
    EXPECT_EQ(square.rows(), 3u);
    EXPECT_EQ(square.cols(), 3u);
    EXPECT_EQ(square[8], 1.0);
    const rt::Value rect = call("zeros", 1, {rt::Value::row({162, 2})})[0];
    EXPECT_EQ(rect.rows(), 162u);
    EXPECT_EQ(rect.cols(), 2u);
    const rt::Value r = call("rand", 1, {2.0, 4.0})[0];
    EXPECT_EQ(r.rows(), 2u);
    EXPECT_EQ(r.cols(), 4u);
    EXPECT_FALSE(error_of("zeros", 1, {rt::Value::cell(1, 1)}).empty());
}

TEST_F(BuiltinsTest, ErrorAndLasterrRoundTrip) {
    EXPECT_FALSE(rt::guarded([] { rt::feval("error", 0, std::vector<rt::Value>{rt::Value::string("boom")}); }));
    EXPECT_EQ(call("lasterr", 1, {})[0].text(), "boom");
    // An empty message raises nothing.
    EXPECT_NO_THROW(call("error", 0, {rt::Value::string("")}));
}

TEST_F(BuiltinsTest, TextAndStructuresThroughTheArrayLibrary) {
    std::ostringstream out;
    std::ostream* old = rt::set_console(&out);
    call("disp", 0, {rt::Value::string("hello")});
    rt::set_console(old);
    EXPECT_EQ(out.str(), "hello\n");
    EXPECT_EQ(call("strcat", 1, {rt::Value::string("Trials  "), rt::Value::string("3")})[0].text(), "Trials  3");
    EXPECT_EQ(call("num2str", 1, {0.5})[0].text(), "0.5");
    const rt::Value s = call("setfield", 1, {rt::Value(), rt::Value::string("a"), 4.0})[0];
    EXPECT_EQ(call("getfield", 1, {s, rt::Value::string("a")})[0][0], 4.0);
    EXPECT_EQ(call("isfield", 1, {s, rt::Value::string("b")})[0][0], 0.0);
}

TEST_F(BuiltinsTest, TerminateRemovesEveryName) {
    rt::array_library_terminate();
    EXPECT_EQ(rt::resolve("plus"), nullptr);
    rt::array_library_initialize();
    EXPECT_EQ(rt::resolve("plus"), &rt::entry_plus);
}

}  // namespace
