#include <gtest/gtest.h>

#include <string>

#include "runtime/array/error.hpp"
#include "runtime/call/frame.hpp"

namespace {

struct ArityCase {
    const char* name;
    int line;
    rt::ArityKind kind;
    int count;
    const char* text;
};

// Every arity message the system's modules carry, word for word.
const ArityCase kMessages[] = {
    {"get_action", 1, rt::ArityKind::Outputs, 5,
     "Run-time Error: File: get_action Line: 1 Column: 1 The function \"get_action\" was called with more than the declared number of outputs (5)."},
    {"get_action", 1, rt::ArityKind::Inputs, 13,
     "Run-time Error: File: get_action Line: 1 Column: 1 The function \"get_action\" was called with more than the declared number of inputs (13)."},
    {"get_box", 2, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: get_box Line: 2 Column: 1 The function \"get_box\" was called with more than the declared number of outputs (1)."},
    {"get_box", 2, rt::ArityKind::Inputs, 4,
     "Run-time Error: File: get_box Line: 2 Column: 1 The function \"get_box\" was called with more than the declared number of inputs (4)."},
    {"guidata", 1, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: guidata Line: 1 Column: 1 The function \"guidata\" was called with more than the declared number of outputs (1)."},
    {"guidata", 1, rt::ArityKind::Inputs, 2,
     "Run-time Error: File: guidata Line: 1 Column: 1 The function \"guidata\" was called with more than the declared number of inputs (2)."},
    {"guidata/getParentFigure", 99, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: guidata/getParentFigure Line: 99 Column: 1 The function \"guidata/getParentFigure\" was called with more than the declared number of outputs (1)."},
    {"guidata/getParentFigure", 99, rt::ArityKind::Inputs, 1,
     "Run-time Error: File: guidata/getParentFigure Line: 99 Column: 1 The function \"guidata/getParentFigure\" was called with more than the declared number of inputs (1)."},
    {"guihandles", 1, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: guihandles Line: 1 Column: 1 The function \"guihandles\" was called with more than the declared number of outputs (1)."},
    {"guihandles", 1, rt::ArityKind::Inputs, 1,
     "Run-time Error: File: guihandles Line: 1 Column: 1 The function \"guihandles\" was called with more than the declared number of inputs (1)."},
    {"guihandles/getParentFigure", 78, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: guihandles/getParentFigure Line: 78 Column: 1 The function \"guihandles/getParentFigure\" was called with more than the declared number of outputs (1)."},
    {"guihandles/getParentFigure", 78, rt::ArityKind::Inputs, 1,
     "Run-time Error: File: guihandles/getParentFigure Line: 78 Column: 1 The function \"guihandles/getParentFigure\" was called with more than the declared number of inputs (1)."},
    {"guihandles/createHandles", 86, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: guihandles/createHandles Line: 86 Column: 1 The function \"guihandles/createHandles\" was called with more than the declared number of outputs (1)."},
    {"guihandles/createHandles", 86, rt::ArityKind::Inputs, 1,
     "Run-time Error: File: guihandles/createHandles Line: 86 Column: 1 The function \"guihandles/createHandles\" was called with more than the declared number of inputs (1)."},
    {"openfig", 1, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: openfig Line: 1 Column: 1 The function \"openfig\" was called with more than the declared number of outputs (1)."},
    {"openfig", 1, rt::ArityKind::Inputs, 2,
     "Run-time Error: File: openfig Line: 1 Column: 1 The function \"openfig\" was called with more than the declared number of inputs (2)."},
    {"opengl", 1, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: opengl Line: 1 Column: 1 The function \"opengl\" was called with more than the declared number of outputs (1)."},
    {"opengl", 1, rt::ArityKind::Inputs, 1,
     "Run-time Error: File: opengl Line: 1 Column: 1 The function \"opengl\" was called with more than the declared number of inputs (1)."},
    {"reset_cart", 1, rt::ArityKind::Outputs, 8,
     "Run-time Error: File: reset_cart Line: 1 Column: 1 The function \"reset_cart\" was called with more than the declared number of outputs (8)."},
    {"reset_cart", 1, rt::ArityKind::Inputs, 1,
     "Run-time Error: File: reset_cart Line: 1 Column: 1 The function \"reset_cart\" was called with more than the declared number of inputs (1)."},
    {"surf", 1, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: surf Line: 1 Column: 1 The function \"surf\" was called with more than the declared number of outputs (1)."},
    {"title", 1, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: title Line: 1 Column: 1 The function \"title\" was called with more than the declared number of outputs (1)."},
    {"isvarname", 1, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: isvarname Line: 1 Column: 1 The function \"isvarname\" was called with more than the declared number of outputs (1)."},
    {"isvarname", 1, rt::ArityKind::Inputs, 1,
     "Run-time Error: File: isvarname Line: 1 Column: 1 The function \"isvarname\" was called with more than the declared number of inputs (1)."},
    {"movegui", 1, rt::ArityKind::Outputs, 0,
     "Run-time Error: File: movegui Line: 1 Column: 1 The function \"movegui\" was called with more than the declared number of outputs (0)."},
    {"movegui/get_parent_fig", 166, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: movegui/get_parent_fig Line: 166 Column: 1 The function \"movegui/get_parent_fig\" was called with more than the declared number of outputs (1)."},
    {"movegui/get_parent_fig", 166, rt::ArityKind::Inputs, 1,
     "Run-time Error: File: movegui/get_parent_fig Line: 166 Column: 1 The function \"movegui/get_parent_fig\" was called with more than the declared number of inputs (1)."},
    {"grid", 1, rt::ArityKind::Outputs, 0,
     "Run-time Error: File: grid Line: 1 Column: 1 The function \"grid\" was called with more than the declared number of outputs (0)."},
    {"grid", 1, rt::ArityKind::Inputs, 2,
     "Run-time Error: File: grid Line: 1 Column: 1 The function \"grid\" was called with more than the declared number of inputs (2)."},
    {"iskeyword", 1, rt::ArityKind::Outputs, 1,
     "Run-time Error: File: iskeyword Line: 1 Column: 1 The function \"iskeyword\" was called with more than the declared number of outputs (1)."},
    {"iskeyword", 1, rt::ArityKind::Inputs, 1,
     "Run-time Error: File: iskeyword Line: 1 Column: 1 The function \"iskeyword\" was called with more than the declared number of inputs (1)."},
};

TEST(ArityMessage, BuildsEveryMessageOfTheSystem) {
    for (const ArityCase& c : kMessages)
        EXPECT_EQ(rt::arity_message(c.name, c.line, c.kind, c.count), c.text) << c.name;
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
