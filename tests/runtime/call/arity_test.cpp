#include <gtest/gtest.h>

#include <string>

#include "runtime/array/error.hpp"
#include "runtime/call/frame.hpp"

namespace {

// The modules' own messages are checked word for word where they are raised;
// here the two kinds, and a local function's name with its owner's.
TEST(ArityMessage, NamesFileLineKindAndCount) {
    EXPECT_EQ(rt::arity_message("get_action", 1, rt::ArityKind::Outputs, 5),
              "Run-time Error: File: get_action Line: 1 Column: 1 The function \"get_action\" was called with more "
              "than the declared number of outputs (5).");
    EXPECT_EQ(rt::arity_message("guidata/getParentFigure", 99, rt::ArityKind::Inputs, 1),
              "Run-time Error: File: guidata/getParentFigure Line: 99 Column: 1 The function "
              "\"guidata/getParentFigure\" was called with more than the declared number of inputs (1).");
}

std::string raised(int nargout, int nargin, int outputs, int inputs, const rt::Value* out_msg,
                   const rt::Value* in_msg) {
    try {
        rt::check_arity(nargout, nargin, outputs, inputs, out_msg, in_msg);
    } catch (const rt::Error& e) {
        return e.message();
    }
    return "";
}

TEST(CheckArity, OutputsBeforeInputsAndVariableSidesUnchecked) {
    const rt::Value out = rt::Value::string("too many outputs");
    const rt::Value in = rt::Value::string("too many inputs");
    EXPECT_EQ(raised(6, 14, 5, 13, &out, &in), "too many outputs");
    EXPECT_EQ(raised(5, 14, 5, 13, &out, &in), "too many inputs");
    EXPECT_EQ(raised(5, 13, 5, 13, &out, &in), "");
    EXPECT_EQ(raised(0, 0, 5, 13, &out, &in), "");
    // movegui: no outputs at all, any number of inputs.
    EXPECT_EQ(raised(1, 0, 0, -1, &out, nullptr), "too many outputs");
    EXPECT_EQ(raised(0, 40, 0, -1, &out, nullptr), "");
    // tavrin: both sides variable.
    EXPECT_EQ(raised(9, 40, -1, -1, nullptr, nullptr), "");
    // A side without a module message still refuses with the runtime's text.
    EXPECT_EQ(raised(2, 0, 1, 1, nullptr, nullptr), "Too many output arguments.");
}

}  // namespace
